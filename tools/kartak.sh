#!/usr/bin/env bash
# Sets up, builds and runs Karták II on Debian 12:
#   tools/kartak.sh run    install what is missing, build, start the program
#   tools/kartak.sh test   install what is missing, build, run every test
#   tools/kartak.sh bench    build optimised and print the performance figures
#   tools/kartak.sh package  build the Debian package (build-release/kartak2_*.deb)
set -euo pipefail

cd "$(dirname "$0")/.."
mode=${1:-run}

source tools/packages.sh
ensure_packages "${KARTAK_BUILD_PACKAGES[@]}"

jobs=$(nproc 2>/dev/null || echo 2)
case "$mode" in
  run)
    build_dir=${KARTAK_BUILD_DIR:-build}
    cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=Release -DKARTAK_BUILD_TESTS=OFF
    cmake --build "$build_dir" -j "$jobs"
    cd "$build_dir" && exec ./kartak2
    ;;
  test)
    build_dir=${KARTAK_BUILD_DIR:-build-tests}
    cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKARTAK_BUILD_TESTS=ON
    cmake --build "$build_dir" -j "$jobs"
    QT_QPA_PLATFORM=offscreen ctest --test-dir "$build_dir" --output-on-failure -j "$jobs"
    tools/check-screen-reader.sh "$build_dir/kartak2"
    ;;
  bench)
    cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DKARTAK_BUILD_TESTS=ON
    cmake --build build-bench -j "$jobs" --target bench_kartak
    exec build-bench/bench/bench_kartak
    ;;
  package)
    cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DKARTAK_BUILD_TESTS=OFF
    cmake --build build-release -j "$jobs"
    cd build-release && cpack -G DEB
    ;;
  *)
    echo "usage: $0 run|test|bench|package" >&2
    exit 2
    ;;
esac
