#!/usr/bin/env bash
# Builds the workbook reader's libFuzzer target with clang (in its own folder, apart from
# the main build) and runs it briefly over a seed corpus of workbook streams.
# usage: fuzz/run_fuzz.sh [BUILD_FOLDER]   (FUZZ_SECONDS sets the run time, 30 by default)
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
out="${1:-$root/build-fuzz}"
seconds="${FUZZ_SECONDS:-30}"

cxx="$(command -v clang++ || command -v clang++-14 || true)"
if [ -z "$cxx" ]; then
  echo "fuzz: clang++ not found, the workbook reader fuzzer is skipped"
  exit 0
fi

mkdir -p "$out/objects" "$out/seeds" "$out/corpus"
cflags=(-std=c++20 -g -O1 -fno-omit-frame-pointer -I"$root" $(pkg-config --cflags libgsf-1))
libs=($(pkg-config --libs libgsf-1))
sanitize="address,undefined"

# libFuzzer's runtime comes with clang's runtime libraries.
if ! echo 'extern "C" int LLVMFuzzerTestOneInput(const char*, unsigned long) { return 0; }' |
    "$cxx" -x c++ - -fsanitize=fuzzer -o "$out/probe" 2>/dev/null; then
  echo "fuzz: libFuzzer's runtime is missing (Debian package libclang-rt-14-dev); the fuzzer is skipped"
  exit 0
fi

# A saved workbook is written through the extraction folder's file replacement.
sources=("$root"/platform/win/structured_storage.cpp "$root"/platform/win/codepage.cpp
         "$root"/extraction/file_replacement.cpp)
for f in "$root"/spreadsheet/*.cpp; do
  case "$f" in */xls_export.cpp) ;; *) sources+=("$f") ;; esac
done

# Objects are rebuilt when their source or any header of the sources' folders is newer.
newest_header="$(find "$root/spreadsheet" "$root/platform/win" "$root/extraction" -name '*.h' -printf '%T@\n' |
                 sort -n | tail -1)"
objects=()
for f in "${sources[@]}"; do
  o="$out/objects/$(basename "${f%.cpp}").o"
  objects+=("$o")
  stamp="$(stat -c %Y "$o" 2>/dev/null || echo 0)"
  if [ "$f" -nt "$o" ] || [ "${newest_header%.*}" -ge "$stamp" ]; then
    "$cxx" "${cflags[@]}" -fsanitize=$sanitize,fuzzer-no-link -fno-sanitize-recover=undefined -c "$f" -o "$o" &
    while [ "$(jobs -r | wc -l)" -ge 4 ]; do wait -n; done
  fi
done
wait

"$cxx" "${cflags[@]}" -fsanitize=$sanitize,fuzzer -fno-sanitize-recover=undefined \
  "$root/fuzz/workbook_reader_fuzz.cpp" "${objects[@]}" "${libs[@]}" -o "$out/workbook_reader_fuzz"
"$cxx" "${cflags[@]}" -fsanitize=$sanitize -fno-sanitize-recover=undefined \
  "$root/fuzz/seeds/workbook_seeds.cpp" "${objects[@]}" "${libs[@]}" -o "$out/workbook_seeds"

"$out/workbook_seeds" "$out/seeds"
"$out/workbook_reader_fuzz" -max_total_time="$seconds" -rss_limit_mb=4096 -max_len=65536 \
  -print_final_stats=1 "$out/corpus" "$out/seeds"
