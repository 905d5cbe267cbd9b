#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer (Debug) and runs the
# whole test suite headless:
#   tools/sanitize.sh
# Any sanitizer report ends its test with a failure. Leaks are reported too, except the ones
# inside system libraries listed in tools/lsan.supp.
set -euo pipefail

cd "$(dirname "$0")/.."
build_dir=${KARTAK_SANITIZE_BUILD_DIR:-build-asan}

source tools/packages.sh
ensure_packages "${KARTAK_BUILD_PACKAGES[@]}"

jobs=$(nproc 2>/dev/null || echo 2)
cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=Debug -DKARTAK_SANITIZE=ON -DKARTAK_BUILD_TESTS=ON
cmake --build "$build_dir" -j "$jobs"

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:check_initialization_order=1:detect_stack_use_after_return=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export LSAN_OPTIONS=suppressions=$PWD/tools/lsan.supp:print_suppressions=0
ctest --test-dir "$build_dir" --output-on-failure -j "$jobs"
