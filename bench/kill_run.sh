#!/usr/bin/env bash
# Times the kill-list run of morvex.exe under Wine beside one TASKKILL call
# naming every name and beside the least a run could take
# (bench/kill_run_timing.cpp), for 1, 4 and 10 names of two processes each,
# in a Wine prefix and on an Xvfb of its own (build/kill-run).
#
#   bench/kill_run.sh [ROUNDS]     medians of ROUNDS rounds (default 5)
set -euo pipefail
cd "$(dirname "$0")/.."
rounds=${1:-5}
tools/deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target morvex e2e_idle taskkill mvx_kill_run_timing
mkdir -p build/kill-run
rm -rf build/kill-run/prefix/drive_c/users/*/Temp/morvex-e2e-kill-run-bench-* 2>/dev/null || true
MORVEX_EXE_DIR=$PWD/build/windows exec tests/wine-run.sh win64 build/kill-run/prefix \
  build/windows/mvx_kill_run_timing.exe "$rounds"
