#!/usr/bin/env bash
# Installs what is missing, builds Glyphwerk twice (plain, and with AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs every test of both builds. Tests that need an X server start an Xvfb
# server of their own. GLYPHWERK_JOBS sets how many compile jobs, tests and fuzz targets run at once (every
# core unless set).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

jobs=${GLYPHWERK_JOBS:-$(nproc)}
[[ "$jobs" =~ ^[1-9][0-9]*$ ]] || { echo "test.sh: GLYPHWERK_JOBS must be a positive number, not '$jobs'"; exit 2; }
run_suite() {
  local dir=$1; shift
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
  cmake --build "$dir" -j "$jobs"
  (cd "$dir" && ctest --output-on-failure -j "$jobs" --timeout 600)
}

echo "== plain build =="
run_suite build
echo "== sanitizer build (address, undefined) =="
ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  run_suite build-asan -DGLYPHWERK_SANITIZE=ON -DGLYPHWERK_BUILD_BENCH=OFF

echo "== fuzz targets (clang, libFuzzer) =="
GLYPHWERK_FUZZ_JOBS=${GLYPHWERK_FUZZ_JOBS:-$jobs} bash scripts/fuzz.sh "${GLYPHWERK_FUZZ_SECONDS:-20}"
