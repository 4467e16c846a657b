#!/usr/bin/env bash
# Installs the Debian packages the project needs, when any is missing; first, refuses a
# checkout whose path CMake cannot build in.
set -euo pipefail

# CMake takes ; as its list separator (its own modules fail to configure there), refuses # in
# a build command's output path, and reads [ and ] as bounds within its lists, so a [ or ] of
# the path without its pair breaks every list of paths. Run from the checkout's root.
for path in "$PWD" "$(pwd -P)"; do
  opened="${path//[^\[]/}" closed="${path//[^\]]/}"
  case "$path" in
    *\;*) mark="';'" ;;
    *\#*) mark="'#'" ;;
    *) [ ${#opened} -eq ${#closed} ] && continue; mark="a '[' or ']' without its pair" ;;
  esac
  echo "The checkout's path holds $mark, which CMake cannot build in: clone the project into a folder whose path does not ($path)." >&2
  exit 1
done
packages=(cmake ninja-build g++ clang pkg-config libgtest-dev libgmock-dev libbenchmark-dev
  libtinyxml-dev libgsf-1-dev python3 python3-xlrd python3-olefile libxml2-utils libclang-rt-14-dev
  gnumeric libreoffice-calc-nogui)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi
