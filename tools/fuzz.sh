#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the libFuzzer targets (clang, AddressSanitizer, UndefinedBehaviorSanitizer) and runs
# each for a bounded time, starting from the seeds in fuzz/corpus/<target>/:
#   tools/fuzz.sh [seconds]     seconds per target, 60 by default
# Fails when a target crashes, leaks or breaks one of its checks; the input that did it is
# kept as <build>/artifacts/<target>-crash-..., and replays with <build>/fuzz/<target> <file>.
# The corpus each run grows is kept in <build>/corpus/<target>/ for the next run.
set -euo pipefail

cd "$(dirname "$0")/.."
seconds=${1:-60}
build_dir=${KARTAK_FUZZ_BUILD_DIR:-build-fuzz}
targets=(fuzz_first_line fuzz_load_lines fuzz_line_reader fuzz_cp1250_decode fuzz_cp1250_encode
         fuzz_wave_reader)

case "$seconds" in
  ''|*[!0-9]*) echo "usage: $0 [seconds]" >&2; exit 2 ;;
esac

packages=(cmake make clang libclang-rt-14-dev qt6-base-dev qt6-base-dev-tools libgl-dev)
source tools/packages.sh
ensure_packages "${packages[@]}"

# The whole tree, building only the fuzz targets and the text codec; when the tree does not
# configure (a missing Qt module, say), the fuzz directory on its own.
export CC=clang CXX=clang++
mkdir -p "$build_dir"
if ! cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKARTAK_FUZZ=ON \
     -DKARTAK_BUILD_TESTS=OFF >"$build_dir/configure.log" 2>&1; then
  echo "The whole tree does not configure (see $build_dir/configure.log);" \
       "building the fuzz directory on its own." >&2
  build_dir="$build_dir-standalone"
  cmake -S fuzz -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build "$build_dir" --target fuzz_targets -j "$(nproc 2>/dev/null || echo 2)"

# The targets write their scratch file into TMPDIR; memory is quicker than disk.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then
  export TMPDIR=/dev/shm
fi
export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:abort_on_error=0
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1

mkdir -p "$build_dir/artifacts" "$build_dir/logs"
passed=0
failed=0
summary=()
for t in "${targets[@]}"; do
  corpus="$build_dir/corpus/$t"
  log="$build_dir/logs/$t.log"
  mkdir -p "$corpus"
  echo "== $t: fuzzing for $seconds s"
  status=0
  "$build_dir/fuzz/$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -max_len=4096 -print_final_stats=1 -artifact_prefix="$build_dir/artifacts/$t-" \
    "$corpus" "fuzz/corpus/$t" >"$log" 2>&1 || status=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  if [ "$status" -eq 0 ]; then
    passed=$((passed + 1))
    summary+=("$(printf '%-20s ok      %8s runs  %4s files in corpus' "$t" "${runs:-?}" \
      "$(find "$corpus" -type f | wc -l)")")
  else
    failed=$((failed + 1))
    summary+=("$(printf '%-20s FAILED  (exit %s, log %s)' "$t" "$status" "$log")")
    grep -E 'ERROR|check failed|SUMMARY|Test unit written|runtime error' "$log" | head -n 20 >&2 || true
  fi
done

echo
echo "Fuzzing, $seconds s per target:"
printf '  %s\n' "${summary[@]}"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
