#!/usr/bin/env bash
# Installs the built library into a fresh prefix and builds a small program against it twice:
# through CMake's find_package and through pkg-config.
#   check_install.sh BUILD_DIR WORK_DIR CXX
set -euo pipefail
build_dir=$1 work=$2 cxx=$3
here=$(cd "$(dirname "$0")" && pwd)
expected='16.1.0 <order xmlns="urn:o" id="7">fish &amp; chips</order>'
rm -rf "$work"
mkdir -p "$work"
cmake --install "$build_dir" --prefix "$work/prefix" >/dev/null

cmake -S "$here/consumer" -B "$work/cmake" -DCMAKE_PREFIX_PATH="$work/prefix" -DCMAKE_CXX_COMPILER="$cxx" >/dev/null
cmake --build "$work/cmake" >/dev/null
[ "$("$work/cmake/consumer")" = "$expected" ] || { echo "find_package build printed: $("$work/cmake/consumer")"; exit 1; }
echo "find_package: built and ran"

pc_dir=$(dirname "$(find "$work/prefix" -name nxxmllib16.pc)")
flags=$(PKG_CONFIG_PATH="$pc_dir" pkg-config --cflags --libs --static nxxmllib16)
# shellcheck disable=SC2086
"$cxx" "$here/consumer/Consumer.cpp" -o "$work/pc-consumer" $flags
[ "$("$work/pc-consumer")" = "$expected" ] || { echo "pkg-config build printed: $("$work/pc-consumer")"; exit 1; }
echo "pkg-config: built and ran"
