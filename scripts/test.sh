#!/usr/bin/env bash
# Installs what is missing, builds the given preset (default: asan) and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
preset=${1:-asan}
bash scripts/setup.sh
bash scripts/build.sh "$preset"
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export TSAN_OPTIONS=${TSAN_OPTIONS:-halt_on_error=1:second_deadlock_stack=1}
ctest --preset "$preset"
