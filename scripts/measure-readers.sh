#!/usr/bin/env bash
# scripts/measure-readers.sh [BUILD_DIR] [MODE...]
# Makes the crafted inputs the picture readers once spent minutes or gigabytes on (a progressive JPEG that
# repeats a scan 4000 times, a GIF frame of 65535 x 65535 on a 1 x 1 screen, tiny files claiming huge
# pictures, a PNG chunk claiming 8 MB), a few large real pictures and progressive JPEGs by cjpeg (32768 x
# 4576 and a camera's 7360 x 4912 at 4:4:4, and 6000 x 6000 arithmetic-coded in 363 bytes), and reads each
# in a process of its own, as Import does (mode import), as a paste does (paste) and whole (whole; default: all three).
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
# A w x h picture of smooth colour ramps (grey 128 with a third argument) as binary PPM, for cjpeg.
ramps() { /usr/bin/python3 -c "
import sys
w, h, flat = $1, $2, len(sys.argv) > 1
sys.stdout.buffer.write(b'P6\\n%d %d\\n255\\n' % (w, h))
row = bytearray([128]) * (3 * w) if flat else bytearray(v for x in range(w) for v in (x * 256 // w, 0, (x * 3) & 255))
for y in range(h):
    if not flat: row[1::3] = bytes([y * 256 // h]) * w
    sys.stdout.buffer.write(row)" ${3:+flat}; }
ramps 32768 4576 | cjpeg -progressive -sample 1x1 > "$dir/jpeg-progressive-32768x4576-444.jpg"
ramps 7360 4912 | cjpeg -progressive -sample 1x1 > "$dir/jpeg-progressive-7360x4912-444.jpg"
ramps 6000 6000 flat | cjpeg -arithmetic -progressive > "$dir/jpeg-arith-progressive-6000.jpg"
printf '%-38s %9s %-6s %9s  %7s  %7s  %s\n' input bytes mode time peak-RSS peak-VM outcome
for f in "$dir"/*; do
  for mode in "${modes[@]}"; do
    printf '%-38s %9s %-6s ' "$(basename "$f")" "$(stat -c %s "$f")" "$mode"
    timeout 600 "$tool" "$mode" "$f" || echo "(ended with status $?)"
  done
done
