#!/usr/bin/env bash
# Installs what is missing, builds Glyphwerk twice (plain, and with AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs every test of both builds. Tests that need an X server run under Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

jobs=$(nproc)
run_suite() {
  local dir=$1; shift
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
  cmake --build "$dir" -j "$jobs"
  (cd "$dir" && xvfb-run -a -s "-screen 0 1280x1024x24" \
      ctest --output-on-failure -j "$jobs" --timeout 600)
}

echo "== plain build =="
run_suite build
echo "== sanitizer build (address, undefined) =="
ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  run_suite build-asan -DGLYPHWERK_SANITIZE=ON -DGLYPHWERK_BUILD_BENCH=OFF

echo "== fuzz targets (clang, libFuzzer; ${GLYPHWERK_FUZZ_SECONDS:=20} s each) =="
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGLYPHWERK_FUZZ=ON \
  -DGLYPHWERK_BUILD_TESTS=OFF -DGLYPHWERK_BUILD_BENCH=OFF
cmake --build build-fuzz -j "$jobs" --target fuzz_all
fuzz_failed=0
for src in fuzz/*.cpp; do
  [ -e "$src" ] || continue
  name=$(basename "$src" .cpp)
  corpus=build-fuzz/corpus/$name
  mkdir -p "$corpus"
  seeds=()
  [ -d "fuzz/seeds/$name" ] && seeds=("fuzz/seeds/$name")
  echo "-- $name"
  if ! ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
      "build-fuzz/fuzz/$name" -max_total_time="$GLYPHWERK_FUZZ_SECONDS" -rss_limit_mb=2048 -print_final_stats=0 \
      -artifact_prefix="build-fuzz/$name-" "$corpus" "${seeds[@]}" > "build-fuzz/$name.log" 2>&1; then
    tail -n 60 "build-fuzz/$name.log"
    fuzz_failed=1
  else
    tail -n 1 "build-fuzz/$name.log"
  fi
done
[ "$fuzz_failed" -eq 0 ] || { echo "a fuzz target failed"; exit 1; }
