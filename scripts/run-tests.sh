#!/usr/bin/env bash
# Builds everything and runs every test twice: a normal build and one with
# AddressSanitizer and UndefinedBehaviorSanitizer; then the fuzzers (the workbook reader,
# the settings-file loader and the layout list's reader).
# Besides ctest, which runs each test alone, every test program runs once whole, in a
# shuffled order, so that no test leans on what another left behind.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
jobs=$(nproc)
for variant in build build-asan; do
  flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
  [ "$variant" = build-asan ] && flags=(-DCMAKE_BUILD_TYPE=Debug -DDX_SANITIZE=ON)
  cmake -S . -B "$variant" -G Ninja "${flags[@]}" >/dev/null
  cmake --build "$variant" -j "$jobs"
  echo "== tests: $variant"
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir "$variant" -j "$jobs" --output-on-failure
  output="$(cat "$variant/tests/test-output-folder.txt")"
  seed=$((RANDOM % 100000 + 1))
  echo "== test programs whole, shuffled with seed $seed: $variant"
  while read -r program; do
    echo "-- ${program##*/}"
    DX_TEST_OUTPUT="$output-shuffled" ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
      "$program" --gtest_shuffle --gtest_random_seed="$seed" --gtest_brief=1 </dev/null
  done < "$variant/tests/test-programs.txt"
done
if [ -x fuzz/run_fuzz.sh ] || [ -f fuzz/run_fuzz.sh ]; then
  echo "== fuzzing"
  bash fuzz/run_fuzz.sh
fi
