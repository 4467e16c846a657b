#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (in their own folder, apart from the main build)
# and runs each briefly over its seed corpus: the workbook reader, the settings-file loader
# and the layout list's reader.
# usage: fuzz/run_fuzz.sh [BUILD_FOLDER]   (FUZZ_SECONDS sets each target's run time, 30 by default)
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
out="${1:-$root/build-fuzz}"
seconds="${FUZZ_SECONDS:-30}"

cxx="$(command -v clang++ || command -v clang++-14 || true)"
if [ -z "$cxx" ]; then
  echo "fuzz: clang++ not found, the fuzzers are skipped"
  exit 0
fi

mkdir -p "$out/objects" "$out/seeds" "$out/corpus" "$out/corpus-settings" "$out/corpus-layout"
cflags=(-std=c++20 -g -O1 -fno-omit-frame-pointer -I"$root" $(pkg-config --cflags libgsf-1 tinyxml))
sanitize="address,undefined"

# libFuzzer's runtime comes with clang's runtime libraries.
if ! echo 'extern "C" int LLVMFuzzerTestOneInput(const char*, unsigned long) { return 0; }' |
    "$cxx" -x c++ - -fsanitize=fuzzer -o "$out/probe" 2>/dev/null; then
  echo "fuzz: libFuzzer's runtime is missing (Debian package libclang-rt-14-dev); the fuzzers are skipped"
  exit 0
fi

# A saved workbook is written through the common folder's file replacement, as is a saved
# settings file.
workbook=("$root"/platform/win/structured_storage.cpp "$root"/platform/win/codepage.cpp
          "$root"/common/file_replacement.cpp)
for f in "$root"/spreadsheet/*.cpp; do
  case "$f" in */xls_export.cpp) ;; *) workbook+=("$f") ;; esac
done
# CString and what it reaches, for the extraction code's targets.
cstring=("$root"/platform/win/{codepage,wide_numbers,wide_format,resources}.cpp
         "$root"/platform/mfc/{cstring,afx_module}.cpp)
settings=("$root"/extraction/{settings_file,xml_nesting}.cpp "$root"/common/file_replacement.cpp "${cstring[@]}")
layout=("$root"/extraction/table_layout.cpp "${cstring[@]}")

# Objects (named by folder and file) are rebuilt when their source or any header of the
# sources' folders is newer.
newest_header="$(find "$root"/{spreadsheet,extraction,common,platform/win,platform/mfc} -name '*.h' -printf '%T@\n' |
                 sort -n | tail -1)"
object_of() { local rel="${1#"$root"/}"; echo "$out/objects/${rel//\//_}.o"; }
mapfile -t sources < <(printf '%s\n' "${workbook[@]}" "${settings[@]}" "${layout[@]}" | sort -u)
for f in "${sources[@]}"; do
  o="$(object_of "$f")"
  stamp="$(stat -c %Y "$o" 2>/dev/null || echo 0)"
  if [ "$f" -nt "$o" ] || [ "${newest_header%.*}" -ge "$stamp" ]; then
    "$cxx" "${cflags[@]}" -fsanitize=$sanitize,fuzzer-no-link -fno-sanitize-recover=undefined -c "$f" -o "$o" &
    while [ "$(jobs -r | wc -l)" -ge 3 ]; do wait -n; done
  fi
done
wait

# build_program SOURCE SANITIZERS LIBRARIES OBJECT-SOURCES...: one program of fuzz/, named
# after its source, with the objects of the sources it uses.
build_program() {
  local source="$1" with="$2" libraries="$3" objects=() f
  shift 3
  for f in "$@"; do objects+=("$(object_of "$f")"); done
  "$cxx" "${cflags[@]}" -fsanitize="$with" -fno-sanitize-recover=undefined "$root/fuzz/$source" \
    "${objects[@]}" ${libraries:+$(pkg-config --libs $libraries)} -o "$out/$(basename "${source%.cpp}")"
}
build_program workbook_reader_fuzz.cpp "$sanitize,fuzzer" libgsf-1 "${workbook[@]}"
build_program seeds/workbook_seeds.cpp "$sanitize" libgsf-1 "${workbook[@]}"
build_program settings_file_fuzz.cpp "$sanitize,fuzzer" tinyxml "${settings[@]}"
build_program layout_list_fuzz.cpp "$sanitize,fuzzer" "" "${layout[@]}"

"$out/workbook_seeds" "$out/seeds"
run() { "$out/$1" -max_total_time="$seconds" -rss_limit_mb=4096 -print_final_stats=1 "${@:2}"; }
# A value as the sanitizers' options take it whole: between quotes, ' or ", which it must not
# hold, as nothing inside them is escaped.
sanitizer_quoted() {
  if [[ "$1" != *"'"* ]]; then
    printf "'%s'" "$1"
  elif [[ "$1" != *'"'* ]]; then
    printf '"%s"' "$1"
  else
    echo "fuzz: the sanitizers cannot take a path holding both ' and \": $1" >&2
    return 1
  fi
}
echo "== fuzz: the workbook reader"
# libgsf's own leak is passed over (lsan.supp) by its function's name, which only the full
# unwinder finds in an allocation's stack (the library has no frame pointers).
suppressions="$(sanitizer_quoted "$root/fuzz/lsan.supp")"
ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}fast_unwind_on_malloc=0" \
  LSAN_OPTIONS="suppressions=$suppressions:print_suppressions=0" \
  run workbook_reader_fuzz -max_len=65536 "$out/corpus" "$out/seeds"
echo "== fuzz: the settings-file loader"
run settings_file_fuzz -max_len=16384 -timeout=10 -dict="$root/fuzz/settings.dict" \
  "$out/corpus-settings" "$root/fuzz/seeds/settings"
echo "== fuzz: the layout list's reader"
run layout_list_fuzz -max_len=4096 -timeout=10 "$out/corpus-layout" "$root/fuzz/seeds/layout"
