#!/usr/bin/env bash
# Counts what the stand-in platform holds that no code reaches: no part of the plug-in, the
# host program, the tests, the benchmarks or the fuzz targets, nor of the platform that
# these reach.
#
# 1. Functions and data. Every program is linked once more, unoptimised (so nothing is
#    inlined away), against the platform as a static library built with one section per
#    function and per datum, with --gc-sections. Everything outside platform/ is a root (its
#    objects are linked whole and their symbols exported); the platform's own symbols are
#    hidden, so the linker keeps exactly what is reached from outside, through calls,
#    vtables, message maps and tables alike. The platform is compiled with
#    -fkeep-inline-functions, and each of its headers once on its own, so inline functions
#    nobody calls are counted too. A platform symbol that no program keeps is unused.
#    Templates nobody instantiates are not seen. A member that a macro defines for many
#    classes is counted for each class that leaves it unused.
# 2. Names the compiler emits nothing for: macros, constants, enumerators and types of the
#    platform's headers that no code names but their own declaration.
# 3. Messages nobody sends: window and control messages whose only uses are case labels.
#
# usage: scripts/count-unused-platform.sh [WORK_FOLDER]   (build-unused by default)
# Prints each finding (file:line and name, or the message), then the three counts; the
# lists are kept in WORK_FOLDER as unused.txt, unused-names.txt and unsent-messages.txt.
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
out="${1:-$root/build-unused}"
mkdir -p "$out"
out="$(cd "$out" && pwd)"
cxx="${CXX:-g++}"
jobs="${JOBS:-4}"

read -r -a pkg_cflags <<<"$(pkg-config --cflags libgsf-1 tinyxml)"
read -r -a pkg_libs <<<"$(pkg-config --libs libgsf-1 tinyxml)"
common=(-std=c++20 -O0 -g -fPIC -w -ffunction-sections -fdata-sections -I"$root" "${pkg_cflags[@]}")
# The definitions a test or program is built with (paths of the build, of scripts) come
# from the CMake build's compile commands when there are any (BUILD, build by default);
# these stand in for them otherwise. NDEBUG is left out, so that asserts count as callers.
# The definitions are kept apart by the unit separator (0x1f): a path in one may hold blanks.
fallback_defines="$(printf '%s\x1f' "-DDX_SOURCE_DIR=\"$root\"" "-DDX_BINARY_DIR=\"$out\"" \
  "-DDX_HOST_PROGRAM=\"$out/ovhost\"" "-DDX_WRONG_VERSION_MODULE=\"$out/wrong.ovx\"" \
  "-DDX_DEFAULT_MODULE=\"$out/DataExtraction.ovx\"" -DDX_PYTHON=\"/usr/bin/python3\" \
  "-DDX_TEST_OUTPUT_FOLDER=\"$out/test-output\"")"
commands="${BUILD:-$root/build}/compile_commands.json"
defines_table="$out/defines.txt"
if [ -f "$commands" ]; then
  python3 - "$commands" >"$defines_table" <<'PY'
import json, shlex, sys
for entry in json.load(open(sys.argv[1])):
    words = entry.get("arguments") or shlex.split(entry["command"])
    defines = [w for w in words if w.startswith("-D") and not w.endswith("_EXPORTS") and w != "-DNDEBUG"]
    print(entry["file"] + "\t" + "\x1f".join(defines))
PY
else
  : >"$defines_table"
fi
plugin_folders=(common extraction spreadsheet gridctrl wizard res)
# Their paths; the root is quoted in the replacement, where bash would read a & as the text matched.
plugin_paths=("${plugin_folders[@]/#/"$root"/}")

# Compiles each file into an object under $out/obj, again only when a source or header is newer.
newest_source="$(find "$root"/platform "$root"/host "$root"/tests "$root"/bench "$root"/fuzz \
  "${plugin_paths[@]}" \( -name '*.h' -o -name '*.cpp' \) -printf '%T@\n' | sort -n | tail -1)"
# The flags, too, are kept apart by 0x1f, so that the root's path stays one word.
common_flags="$(printf '%s\x1f' "${common[@]}")"
export newest_source="${newest_source%.*}" root out cxx common_flags fallback_defines defines_table
object_of() { local rel="${1#"$root"/}"; echo "$out/obj/${rel//\//__}.o"; }
compile() {  # compile SOURCE [extra flags...]
  local src="$1" obj common defines
  shift
  IFS=$'\x1f' read -r -a common <<<"$common_flags"
  defines="$(src="$src" awk -F'\t' '$1 == ENVIRON["src"] { print $2; exit }' "$defines_table")"
  IFS=$'\x1f' read -r -a defines <<<"${defines:-$fallback_defines}"
  obj="$(object_of "$src")"
  [ -f "$obj" ] && [ "$(stat -c %Y "$obj")" -gt "$newest_source" ] && return 0
  case "$src" in
    *.h) "$cxx" "${common[@]}" "${defines[@]}" "$@" -x c++ -c "$src" -o "$obj" ;;
    *) "$cxx" "${common[@]}" "${defines[@]}" "$@" -c "$src" -o "$obj" ;;
  esac
}
run_compiles() {  # run_compiles EXTRA_FLAG_OR_EMPTY FILES...
  local flag="$1"
  shift
  printf '%s\0' "$@" | xargs -0 -P "$jobs" -I{} bash -c 'compile "$1" ${2:+"$2"}' _ {} "$flag"
}
export -f compile object_of
mkdir -p "$out/obj"

mapfile -t platform_sources < <(find "$root/platform" -name '*.cpp' | sort)
mapfile -t platform_headers < <(find "$root/platform" -name '*.h' | sort)
mapfile -t plugin_sources < <(for f in "${plugin_folders[@]}"; do find "$root/$f" -name '*.cpp'; done | sort)
mapfile -t other_sources < <(find "$root/host" "$root/tests" "$root/bench" "$root/fuzz" -name '*.cpp' | sort)

echo "compiling into $out/obj" >&2
run_compiles "-fkeep-inline-functions" "${platform_sources[@]}" "${platform_headers[@]}"
run_compiles "" "${plugin_sources[@]}" "${other_sources[@]}"

objects_of() { for f in "$@"; do object_of "$f"; done; }
mapfile -t platform_objects < <(objects_of "${platform_sources[@]}" "${platform_headers[@]}")
rm -f "$out/libplatform.a"
ar qc "$out/libplatform.a" "${platform_objects[@]}"
mapfile -t plugin_objects < <(objects_of "${plugin_sources[@]}")

# Links one program or module: its own objects (and the plug-in's, but for a module of its
# own) are roots, the platform is gc'd.
link() {  # link NAME KIND(program|plugin|module) OBJECTS... -- LIBS...
  local name="$1" kind="$2" objs=() shape=(-rdynamic) with=("${plugin_objects[@]}")
  shift 2
  while [ $# -gt 0 ] && [ "$1" != -- ]; do objs+=("$1"); shift; done
  [ $# -gt 0 ] && shift
  [ "$kind" = program ] || shape=(-shared)
  [ "$kind" = module ] && with=()
  "$cxx" "${shape[@]}" -o "$out/bin/$name" "${objs[@]}" "${with[@]}" \
    -Wl,--gc-sections -Wl,--exclude-libs,ALL "$out/libplatform.a" "$@" "${pkg_libs[@]}" -ldl -lpthread
}
mkdir -p "$out/bin"
rm -f "$out/bin/"*
gtest=(-lgmock -lgtest_main -lgtest)
mapfile -t support < <(find "$root/tests/support" -name '*.cpp' 2>/dev/null | sort)
echo "linking" >&2
link DataExtraction.ovx plugin
mapfile -t host_sources < <(find "$root/host" -name '*.cpp' | sort)
mapfile -t objs < <(objects_of "${host_sources[@]}")
link ovhost program "${objs[@]}"
for dir in "$root"/tests/*/; do
  mapfile -t tests < <(find "$dir" -maxdepth 1 -name '*.cpp' | sort)
  [ ${#tests[@]} -gt 0 ] || continue
  [ "$(basename "$dir")" = support ] && continue
  mapfile -t objs < <(objects_of "${tests[@]}" "${support[@]}")
  link "test_$(basename "$dir")" program "${objs[@]}" -- "${gtest[@]}"
done
# Programs and modules of their own: deeper test folders, benchmarks, fuzz targets.
mapfile -t own_sources < <(find "$root/tests" -mindepth 3 -name '*.cpp' | sort; find "$root/bench" "$root/fuzz" -name '*.cpp' | sort)
for src in "${own_sources[@]}"; do
  name="$(basename "${src%.cpp}")"
  obj="$(object_of "$src")"
  if grep -q 'LLVMFuzzerTestOneInput' "$src" && ! grep -q 'int main' "$src"; then
    echo 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long);
          int main() { return LLVMFuzzerTestOneInput(nullptr, 0); }' >"$out/fuzz_driver.cpp"
    "$cxx" -c "$out/fuzz_driver.cpp" -o "$out/obj/fuzz_driver.o"
    link "$name" program "$obj" "$out/obj/fuzz_driver.o"
  elif grep -q 'BENCHMARK' "$src"; then
    link "$name" program "$obj" -- -lbenchmark_main -lbenchmark
  elif grep -q 'int main' "$src"; then
    link "$name" program "$obj"
  else
    link "$name" module "$obj"
  fi
done

# The platform's own symbols (defined where debug information puts them under platform/),
# and every symbol some program kept. Names are compared demangled, so that the copies of
# a constructor or of an inline function count as one. Members the compiler declares or
# defaults itself (located on their class's first line, or "= default") and a function's
# own statics are not counted.
plain_names() { sed -E -e 's/ \[clone [^]]*\]//g' -e 's/\(anonymous namespace\)/{anonymous}/g'; }
defined_in_platform() {
  # The folder's path is matched as plain text: it may hold what a pattern takes as its own.
  nm -C -l --defined-only "$out/libplatform.a" 2>/dev/null |
    folder="$root/platform/" awk '
      BEGIN { root = ENVIRON["folder"] }
      NF >= 3 && $2 ~ /^[TtWwDdBbRrVv]$/ && index($0, root) {
        n = split($0, parts, "\t"); loc = parts[n]
        if (index(loc, root) == 1) loc = "platform/" substr(loc, length(root) + 1)
        name = parts[1]; sub(/^[0-9a-f]+ [A-Za-z] /, "", name)
        print loc "\t" name
      }' | plain_names |
    grep -v -e 'guard variable for' -e 'thunk to' -e '{lambda' -e '_GLOBAL__sub_I' -e ')::' -e ') const::' \
      -e '__static_initialization' -e 'vtable for' -e 'typeinfo' -e '__PRETTY_FUNCTION__' |
    sort -t$'\t' -k2,2 -u
}
kept_anywhere() {
  for b in "$out"/bin/*; do nm -C --defined-only "$b" | sed -E 's/^[0-9a-f]* *[A-Za-z] //'; done | plain_names | sort -u
}
declared_by_compiler() {  # reads "file:line<TAB>name", drops implicit and defaulted special members
  local loc name file line qual member class
  while IFS=$'\t' read -r loc name; do
    file="${loc%%:*}" line="${loc##*:}" qual="${name%%(*}"
    member="${qual##*::}" class="${qual%::*}"
    class="${class##*::}" class="${class%%<*}"
    if [[ "$member" == "$class" || "$member" == "~$class" || "$member" == "operator=" ]] &&
       sed -n "${line}p" "$root/$file" | grep -qE '^\s*(struct|class|union)\s|= default'; then
      continue
    fi
    printf '%s\t%s\n' "$loc" "$name"
  done
}
defined_in_platform >"$out/platform-symbols.txt"
kept_anywhere >"$out/kept.txt"
awk -F'\t' 'NR == FNR { kept[$0] = 1; next } !($2 in kept)' "$out/kept.txt" "$out/platform-symbols.txt" |
  declared_by_compiler | sort >"$out/unused.txt"
cat "$out/unused.txt"

# Names the compiler emits nothing for: macros, constants, enumerators and types declared in
# the platform's headers that no code names at all but their own declaration (comments do
# not count). A name used only by unused code shows up once that code is gone.
declared_names() {
  local h
  for h in "${platform_headers[@]}"; do
    rel="${h#"$root"/}"
    sed 's://.*$::' "$h" | awk -v file="$rel" '
      function emit(name) { if (name != "") print file ":" FNR "\t" name }
      /^[ \t]*#[ \t]*define[ \t]+[A-Za-z_]/ { s = $0; sub(/^[ \t]*#[ \t]*define[ \t]+/, "", s); sub(/[^A-Za-z0-9_].*$/, "", s); emit(s); next }
      /^[ \t]*(inline |static )*(constexpr|const) [^(]*[A-Za-z_][A-Za-z0-9_]* *(=|\{|\[)/ {
        s = $0; sub(/ *(=|\{|\[).*$/, "", s); sub(/^.*[^A-Za-z0-9_]/, "", s); emit(s); next }
      /^[ \t]*(struct|class|union) [A-Za-z_][A-Za-z0-9_]* *(final *)?[:{]/ {
        s = $0; sub(/^[ \t]*(struct|class|union) /, "", s); sub(/[^A-Za-z0-9_].*$/, "", s); emit(s) }
      /^[ \t]*using [A-Za-z_][A-Za-z0-9_]* *=/ { s = $0; sub(/^[ \t]*using /, "", s); sub(/[^A-Za-z0-9_].*$/, "", s); emit(s); next }
      /^[ \t]*typedef .*[A-Za-z_][A-Za-z0-9_]* *;/ { s = $0; sub(/ *;.*$/, "", s); sub(/^.*[^A-Za-z0-9_]/, "", s); emit(s); next }
      /enum[^;]*\{/ { inenum = 1; s = $0; sub(/^[^{]*\{/, "", s) }
      inenum { if (!(/enum[^;]*\{/)) s = $0
        done = sub(/\}.*$/, "", s)
        n = split(s, parts, ",")
        for (i = 1; i <= n; i++) { e = parts[i]; sub(/=.*$/, "", e); gsub(/[ \t]/, "", e); if (e ~ /^[A-Za-z_][A-Za-z0-9_]*$/) emit(e) }
        if (done) inenum = 0 }'
  done
}
# All code, comments left out, and how often each identifier appears in it.
all_code="$out/all-code.txt"
find "$root/platform" "$root/host" "$root/tests" "$root/bench" "$root/fuzz" "${plugin_paths[@]}" \
  \( -name '*.h' -o -name '*.cpp' \) -print0 | xargs -0 cat | sed 's://.*$::' >"$all_code"
identifier_counts() { grep -oE '[A-Za-z_][A-Za-z0-9_]*' "$all_code" | sort | uniq -c | awk '{ print $2 "\t" $1 }'; }
declared_names | sort -u >"$out/platform-names.txt"
identifier_counts >"$out/identifier-counts.txt"
awk -F'\t' 'NR == FNR { count[$1] = $2; next } count[$2] <= 1' \
  "$out/identifier-counts.txt" "$out/platform-names.txt" | sort >"$out/unused-names.txt"
cat "$out/unused-names.txt"

# Messages nobody sends: window messages and control messages whose only uses, besides
# their #define, are case labels of a window procedure (a handler no code reaches).
grep -rhoE '^#define (WM|LVM|HDM|TTM|DTM|STM|BM|EM|CB|DM)_[A-Z0-9_]+' "$root/platform" --include=*.h | awk '{ print $2 }' | sort -u |
  while read -r name; do
    uses=$( (grep -ow "$name" "$all_code" || true) | wc -l)
    cases=$( (grep -oE "case $name:" "$all_code" || true) | wc -l)
    defines=$(grep -cE "^\s*#\s*define\s+$name\b" "$all_code" || true)
    if [ "$cases" -gt 0 ] && [ $((uses - defines)) -eq "$cases" ]; then echo "$name"; fi
  done >"$out/unsent-messages.txt"
cat "$out/unsent-messages.txt"

echo "platform functions and data: $(wc -l <"$out/platform-symbols.txt"), unused: $(wc -l <"$out/unused.txt")"
echo "platform macros, constants, enumerators and types: $(wc -l <"$out/platform-names.txt"), unused: $(wc -l <"$out/unused-names.txt")"
echo "messages handled but never sent: $(wc -l <"$out/unsent-messages.txt")"
