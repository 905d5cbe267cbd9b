#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Sets up, builds and runs Karták II on Debian 12:
#   tools/kartak.sh run    install what is missing, build, start the program
#   tools/kartak.sh test   install what is missing, build, run every test; then the same with
#                          clang and the Ninja Multi-Config generator (a Debug build in
#                          build-tests-mc), which lays files out as Visual Studio and Xcode do
#   tools/kartak.sh bench    build optimised and print the performance figures
#   tools/kartak.sh package  build the Debian package (build-release/kartak2_*.deb)
set -euo pipefail

cd "$(dirname "$0")/.."
mode=${1:-run}

source tools/packages.sh
ensure_packages "${KARTAK_BUILD_PACKAGES[@]}"

jobs=$(nproc 2>/dev/null || echo 2)
# Rebuilds reuse earlier compilations when ccache is there.
if [ -z "${CMAKE_CXX_COMPILER_LAUNCHER:-}" ] && command -v ccache > /dev/null; then
  export CMAKE_CXX_COMPILER_LAUNCHER=ccache
fi
case "$mode" in
  run)
    build_dir=${KARTAK_BUILD_DIR:-build}
    cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=Release -DKARTAK_BUILD_TESTS=OFF
    cmake --build "$build_dir" -j "$jobs"
    exec "$build_dir/kartak2"
    ;;
  test)
    # The printed sheet's tests read the PDFs with poppler-utils.
    ensure_packages poppler-utils
    build_dir=${KARTAK_BUILD_DIR:-build-tests}
    cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKARTAK_BUILD_TESTS=ON
    cmake --build "$build_dir" -j "$jobs"
    QT_QPA_PLATFORM=offscreen ctest --test-dir "$build_dir" --output-on-failure -j "$jobs"
    # Orca speaks on its own timers; a run it answered too late is tried once more, and the check
    # fails only when both runs miss what they wait for.
    tools/check-screen-reader.sh "$build_dir/kartak2" ||
      { echo "screen-reader check failed; trying it once more"; tools/check-screen-reader.sh "$build_dir/kartak2"; }

    ensure_packages ninja-build clang
    mc_dir=${KARTAK_MC_BUILD_DIR:-build-tests-mc}
    start=$SECONDS
    cmake -S . -B "$mc_dir" -G "Ninja Multi-Config" -DCMAKE_CXX_COMPILER=clang++ \
      -DKARTAK_BUILD_TESTS=ON
    cmake --build "$mc_dir" --config Debug -j "$jobs"
    QT_QPA_PLATFORM=offscreen ctest --test-dir "$mc_dir" -C Debug --output-on-failure -j "$jobs"
    echo "Ninja Multi-Config build with clang and its tests: $((SECONDS - start)) s"
    ;;
  bench)
    cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DKARTAK_BUILD_TESTS=ON
    cmake --build build-bench -j "$jobs" --target bench_kartak
    exec build-bench/bench/bench_kartak
    ;;
  package)
    ensure_packages dpkg-dev # dpkg-shlibdeps computes the package's Depends
    cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DKARTAK_BUILD_TESTS=OFF
    cmake --build build-release -j "$jobs"
    cd build-release && cpack -G DEB
    ;;
  *)
    echo "usage: $0 run|test|bench|package" >&2
    exit 2
    ;;
esac
