#!/usr/bin/env bash
# scripts/fuzz.sh SECONDS [TARGET...]
# Builds the libFuzzer targets of fuzz/ (clang, AddressSanitizer and UndefinedBehaviorSanitizer) in build-fuzz
# and runs every target, or the ones named (fuzz_bmp or bmp), for SECONDS each, side by side on the machine's
# cores (GLYPHWERK_FUZZ_JOBS at once, default the core count). Each target keeps its corpus in
# build-fuzz/corpus/NAME and starts from the project's own files of its format (read, never written), with
# fuzz/NAME.dict as its dictionary (a target that reads the files of another shares its seeds and dictionary). Prints each target's executions and findings; a finding (its input is
# build-fuzz/NAME-crash-..., its log build-fuzz/NAME.log) makes the script fail.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:?usage: scripts/fuzz.sh SECONDS [TARGET...]}
shift
jobs=${GLYPHWERK_FUZZ_JOBS:-$(nproc)}

CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGLYPHWERK_FUZZ=ON \
  -DGLYPHWERK_BUILD_TESTS=OFF -DGLYPHWERK_BUILD_BENCH=OFF > build-fuzz.configure.log 2>&1 ||
  { cat build-fuzz.configure.log; exit 1; }
rm -f build-fuzz.configure.log
cmake --build build-fuzz -j "$jobs" --target fuzz_all

targets=()
if [ $# -eq 0 ]; then
  for src in fuzz/fuzz_*.cpp; do targets+=("$(basename "$src" .cpp)"); done
else
  for t in "$@"; do targets+=("fuzz_${t#fuzz_}"); done
fi

# The target whose seeds and dictionary a target shares: Open then Save reads what the icon decoder reads.
family() {
  case $1 in
    fuzz_open_save) echo fuzz_iconfile ;;
    *) echo "$1" ;;
  esac
}

# The project's files each target starts from, besides fuzz/seeds/FAMILY and the inputs that once failed.
seed_folders() {
  case $(family "$1") in
    fuzz_bmp | fuzz_gif | fuzz_jpeg | fuzz_png | fuzz_tiff) echo tests/data/pictures ;;
    fuzz_iconfile) echo tests/data/icons ;;
    fuzz_pe) echo tests/data/pe-reference ;;
  esac
}

run_target() {
  local name=$1 binary=build-fuzz/fuzz/$1
  [ -x "$binary" ] || { echo "no fuzz target $name" > "build-fuzz/$name.log"; return 1; }
  local corpus=build-fuzz/corpus/$name
  mkdir -p "$corpus"
  local inputs=("$corpus") options=() shared
  shared=$(family "$name")
  for dir in "fuzz/seeds/$shared" $(seed_folders "$name") "tests/data/fuzz-regressions/$name"; do
    [ -d "$dir" ] && inputs+=("$dir")
  done
  [ -f "fuzz/$shared.dict" ] && options+=("-dict=fuzz/$shared.dict")
  rm -f "build-fuzz/$name"-crash-* "build-fuzz/$name"-leak-* "build-fuzz/$name"-timeout-* "build-fuzz/$name"-oom-*
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    "$binary" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=60 -print_final_stats=1 \
    -artifact_prefix="build-fuzz/$name-" "${options[@]}" "${inputs[@]}" > "build-fuzz/$name.log" 2>&1
}

echo "== fuzz targets (${#targets[@]}, $seconds s each, $jobs at once) =="
for name in "${targets[@]}"; do
  while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do wait -n || true; done
  rm -f "build-fuzz/$name.status"
  (status=0; run_target "$name" || status=$?; echo "$status" > "build-fuzz/$name.status") &
done
wait

failed=0
printf '%-16s %12s %9s %8s  %s\n' target executions exec/s corpus findings
for name in "${targets[@]}"; do
  status=$(cat "build-fuzz/$name.status" 2> /dev/null || echo 1)
  log=build-fuzz/$name.log
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -n 1)
  inputs=$(find "build-fuzz/corpus/$name" -type f 2> /dev/null | wc -l || true)
  findings=none
  if [ "$status" -ne 0 ]; then
    findings=$(ls "build-fuzz/$name"-{crash,leak,timeout,oom}-* 2> /dev/null | tr '\n' ' ' || true)
    findings=${findings:-"exit status $status, see $log"}
    failed=1
  fi
  printf '%-16s %12s %9s %8s  %s\n' "$name" "${runs:-?}" "${speed:-?}" "$inputs" "$findings"
done
if [ "$failed" -ne 0 ]; then
  for name in "${targets[@]}"; do
    grep -q -E '^==[0-9]+==ERROR|^SUMMARY|deadly signal|Test unit written' "build-fuzz/$name.log" 2> /dev/null &&
      { echo "-- $name"; grep -E -A 30 '^==[0-9]+==ERROR|runtime error|deadly signal' "build-fuzz/$name.log" | head -n 60; }
  done
  echo "a fuzz target failed"
  exit 1
fi
