#!/usr/bin/env bash
# scripts/measure-readers.sh [BUILD_DIR] [MODE...]
# Makes the crafted inputs the picture readers once spent minutes or gigabytes on (a progressive JPEG that
# repeats a scan 4000 times, a GIF frame of 65535 x 65535 on a 1 x 1 screen, tiny files claiming huge
# pictures, a PNG chunk claiming 8 MB) and a few large real pictures, and reads each in a process of its
# own, as Import does (mode import), as a paste does (paste) and whole (whole; default: all three).
# Prints the time, how far the peak resident memory and the peak address space grew, and the outcome.
# MEASURE_READERS names a measure_readers binary to use instead of building one (an older build, to compare).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
shift || true
modes=("$@")
[ ${#modes[@]} -gt 0 ] || modes=(import paste whole)
tool=${MEASURE_READERS:-}
if [ -z "$tool" ]; then
  [ -f "$build/build.ninja" ] || cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
  cmake --build "$build" --target measure_readers > /dev/null
  tool=$build/bench/measure_readers
fi
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
"$tool" make "$dir"
printf '%-32s %9s %-6s %9s  %7s  %7s  %s\n' input bytes mode time peak-RSS peak-VM outcome
for f in "$dir"/*; do
  for mode in "${modes[@]}"; do
    printf '%-32s %9s %-6s ' "$(basename "$f")" "$(stat -c %s "$f")" "$mode"
    timeout 600 "$tool" "$mode" "$f" || echo "(ended with status $?)"
  done
done
