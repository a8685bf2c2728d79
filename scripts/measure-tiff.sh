#!/usr/bin/env bash
# scripts/measure-tiff.sh [BUILD_DIR]
# Time and peak memory of the import (measure_readers import, as scripts/measure-readers.sh) for TIFF files that claim far more than
# their data holds, beside large real ones: a 12000 x 12000 16-bit deflate file of a few hundred bytes in
# one huge strip, a 12000 x 12000 uncompressed strip with no data, deflated YCbCr 2 x 2 in one strip (read
# a band at a time) of 12000 x 12000 and 8000 x 6000, and 8000 x 6000 pictures by ImageMagick in many
# strips, in one, in one a plane and in tiles. Each import runs in a process of its own.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
[ -f "$build/build.ninja" ] || cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build "$build" --target measure_readers > /dev/null
tool=$build/bench/measure_readers
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT

/usr/bin/python3 - "$dir" <<'PY'
import struct, sys, zlib
out = sys.argv[1]
def tiff(name, w, h, spp, bps, compression, data, count, ycbcr=False):
    """A little-endian TIFF of one strip: `data` stored, `count` claimed as its byte count; YCbCr 2 x 2."""
    entries = [(256, 4, 1, w), (257, 4, 1, h), (258, 3, spp, bps), (259, 3, 1, compression),
               (262, 3, 1, 6 if ycbcr else 2 if spp == 3 else 1), (273, 4, 1, 0), (277, 3, 1, spp), (278, 4, 1, h),
               (279, 4, 1, count), (284, 3, 1, 1)] + ([(530, 3, 2, 2 | 2 << 16)] if ycbcr else [])
    extra_at = 8 + 2 + 12 * len(entries) + 4
    extra = struct.pack("<3H", bps, bps, bps) if spp == 3 else b""
    data_at = extra_at + len(extra)
    ifd = struct.pack("<H", len(entries))
    for tag, typ, n, value in entries:
        value = data_at if tag == 273 else extra_at if tag == 258 and n == 3 else value
        ifd += struct.pack("<HHI", tag, typ, n) + (struct.pack("<HH", value, 0) if typ == 3 and n == 1 else struct.pack("<I", value))
    ifd += struct.pack("<I", 0)
    open(f"{out}/{name}", "wb").write(b"II*\0" + struct.pack("<I", 8) + ifd + extra + data)
deflated = zlib.compress(bytes(300000), 9)
tiff("deflate16-huge-strip.tif", 12000, 12000, 3, 16, 8, deflated, len(deflated))
tiff("none-strip-without-data.tif", 12000, 12000, 3, 8, 1, b"", 12000 * 12000 * 3)
for w, h in ((12000, 12000), (8000, 6000)):
    deflated = zlib.compress(bytes(w * h * 3 // 2), 9)
    tiff(f"ycbcr22-deflate-one-strip-{w}x{h}.tif", w, h, 3, 8, 8, deflated, len(deflated), ycbcr=True)
PY
convert -size 8000x6000 gradient:red-blue -compress LZW "$dir/real-8000x6000-lzw-strips.tif"
convert -size 8000x6000 gradient:red-blue -compress Zip -define tiff:rows-per-strip=6000 "$dir/real-8000x6000-zip-one-strip.tif"
convert -size 8000x6000 gradient:red-blue -compress Zip -interlace plane -define tiff:rows-per-strip=6000 "$dir/real-8000x6000-zip-planes.tif"
convert -size 8000x6000 gradient:red-blue -compress LZW -define tiff:tile-geometry=256x256 "$dir/real-8000x6000-lzw-tiles.tif"

printf '%-42s %9s %9s  %7s  %7s  %s\n' file bytes time peak-RSS peak-VM outcome
for f in deflate16-huge-strip.tif none-strip-without-data.tif ycbcr22-deflate-one-strip-12000x12000.tif \
  ycbcr22-deflate-one-strip-8000x6000.tif real-8000x6000-lzw-strips.tif \
  real-8000x6000-zip-one-strip.tif real-8000x6000-zip-planes.tif real-8000x6000-lzw-tiles.tif; do
  printf '%-42s %9s ' "$f" "$(stat -c %s "$dir/$f")"
  "$tool" import "$dir/$f"
done
