#!/usr/bin/env bash
# Builds NxXmlLib16 and runs its demo, its tests or its benchmarks, installing the Debian
# packages it needs first when some are missing.
#   bash build.sh demo [demo arguments]   optimised build, then the demo program
#   bash build.sh test                    optimised build and sanitizer build, each with the whole test suite
#   bash build.sh test-clang              optimised build with clang and the whole test suite
#   bash build.sh test-threads            ThreadSanitizer build of the test that reads and writes from 8 threads
#   bash build.sh bench [arguments]       optimised build, then the benchmark program
#   bash build.sh fuzz [seconds]          clang build of the fuzz targets, each run for the seconds (30),
#                                         or "short": a fixed number of inputs per target (CI)
set -euo pipefail
cd "$(dirname "$0")"

# The packages of the given kinds (build, test, ci) from the project's one list.
packages_of() {
  local kinds=" $* "
  awk -v kinds="$kinds" '!/^#/ && NF >= 2 && index(kinds, " " $2 " ") { print $1 }' .ci/packages
}

install_missing() {
  local missing=() package
  for package in $(packages_of "$@"); do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return
  local sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  echo "Installing: ${missing[*]}"
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq "${missing[@]}"
}

# NXXML_WERROR=ON makes compiler warnings errors (CI sets it).
# build DIR [cmake options]: configures and builds everything; BUILD_TARGET names one target instead.
build() {
  local dir=$1
  shift
  cmake -S . -B "$dir" -DNXXML_WARNINGS_AS_ERRORS="${NXXML_WERROR:-OFF}" "$@" >/dev/null
  cmake --build "$dir" -j "$(nproc)" ${BUILD_TARGET:+--target "$BUILD_TARGET"}
}

run_tests() {
  (cd "$1" && ctest --output-on-failure)
}

command=${1:-demo}
[ $# -gt 0 ] && shift
case "$command" in
  demo)
    install_missing build
    build build/release -DCMAKE_BUILD_TYPE=Release
    ./build/release/examples/NxXmlDemo "$@"
    ;;
  test)
    install_missing build test
    build build/release -DCMAKE_BUILD_TYPE=Release
    run_tests build/release
    build build/sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNXXML_SANITIZE=ON
    run_tests build/sanitize
    ;;
  test-clang)
    install_missing build test ci
    build build/clang -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=clang++
    run_tests build/clang
    ;;
  test-threads)
    install_missing build test
    BUILD_TARGET=NxXmlThreadTests build build/tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNXXML_TSAN=ON
    TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" ./build/tsan/tests/NxXmlThreadTests
    ;;
  bench)
    install_missing build test
    build build/release -DCMAKE_BUILD_TYPE=Release -DNXXML_BUILD_BENCH=ON
    ./build/release/bench/NxXmlBench "$@"
    ./build/release/bench/NxTypesBench
    ./build/release/bench/NxBindingBench
    ;;
  fuzz)
    install_missing build ci
    cmake -S . -B build/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ -DNXXML_BUILD_FUZZERS=ON \
      -DNXXML_BUILD_TESTS=OFF -DNXXML_WARNINGS_AS_ERRORS="${NXXML_WERROR:-OFF}" >/dev/null
    cmake --build build/fuzz -j "$(nproc)" --target nxfuzz
    bash fuzz/run.sh build/fuzz "${1:-30}"
    ;;
  *)
    echo "usage: bash build.sh demo|test|test-clang|test-threads|fuzz|bench [arguments]" >&2
    exit 2
    ;;
esac
