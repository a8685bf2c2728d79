#!/usr/bin/env bash
# Makes the committed test pictures with other programs (Pillow, ImageMagick, cjpeg/djpeg), so the decoders
# are judged by files they did not write. Run from anywhere; it rewrites this folder's pictures.
#   Pillow 9.4.0, ImageMagick 6.9.11-60 Q16, libjpeg-turbo 2.1.5 (cjpeg, djpeg)
# Each lossless picture has a reference .ppm of its exact pixels; each JPEG has djpeg's float-DCT decode.
set -euo pipefail
cd "$(dirname "$0")"
rm -f ./*.ppm ./*.pgm ./*.jpg ./*.gif ./*.png ./*.tif ./*.bmp
PY=/usr/bin/python3

# Sources: photo.ppm (23 x 13, every pixel its own colour) and paletted patterns of 2, 16 and 200 colours.
$PY - <<'PY'
from PIL import Image
def pattern(w, h, n=None):
    im = Image.new("RGB", (w, h))
    for y in range(h):
        for x in range(w):
            if n is None:
                im.putpixel((x, y), ((x * 11 + y * 3) % 256, (y * 19 + x) % 256, (x * y * 7 + 40) % 256))
            else:
                i = (x * 3 + y * 5) % n
                im.putpixel((x, y), ((i * 37) % 256, (i * 91 + 17) % 256, (255 - i * 13) % 256))
    return im
pattern(23, 13).save("photo.ppm")
# The photo with every channel on a value that 5 (or, for green, 6) bits hold exactly.
for name, gbits in (("photo555.ppm", 5), ("photo565.ppm", 6)):
    q = lambda v, bits: round(round(v * ((1 << bits) - 1) / 255) * 255 / ((1 << bits) - 1))
    pattern(23, 13).point(lambda v: v).convert("RGB").save(name)
    im = Image.open(name)
    im = Image.merge("RGB", [band.point(lambda v, b=b: q(v, b)) for band, b in zip(im.split(), (5, gbits, 5))])
    im.save(name)
pattern(21, 11, 2).save("pal2.ppm")
pattern(21, 11, 16).save("pal16.ppm")
pattern(21, 11, 200).save("pal200.ppm")
PY

# JPEG: cjpeg from the photo, with djpeg's float-DCT decode beside each.
cjpeg -quality 90 photo.ppm > jpeg_baseline.jpg
cjpeg -quality 85 -sample 1x1 photo.ppm > jpeg_444.jpg
cjpeg -quality 80 -progressive photo.ppm > jpeg_progressive.jpg
cjpeg -quality 90 -restart 1 -optimize photo.ppm > jpeg_restart.jpg
cjpeg -quality 90 -grayscale photo.ppm > jpeg_grey.jpg
printf '0;\n1;\n2;\n' > scans.txt                            # sequential, one scan per component
cjpeg -quality 90 -scans scans.txt photo.ppm > jpeg_multiscan.jpg && rm scans.txt
for f in jpeg_baseline jpeg_444 jpeg_progressive jpeg_restart jpeg_multiscan; do djpeg -dct float -ppm $f.jpg > $f.djpeg.ppm; done
djpeg -dct float -pnm jpeg_grey.jpg > jpeg_grey.djpeg.pgm
# Stray bytes before the scan's marker: the codec warns, and the pixels are whole (djpeg exits 2 on a warning).
$PY -c "
b = open('jpeg_baseline.jpg', 'rb').read(); i = b.index(b'\xff\xda')
open('jpeg_extraneous.jpg', 'wb').write(b[:i] + b'\x00\x17' + b[i:])"
djpeg -dct float -ppm jpeg_extraneous.jpg > jpeg_extraneous.djpeg.ppm || [ $? -eq 2 ]
# Arithmetic-coded progressive files of flat mid-grey, a few hundred bytes each (arithmetic coding spends far
# less than a bit on a block): 6000 x 6000 at 4:2:0, whose coefficients take about 100 MB, and 32768 x 4576
# at 4:4:4, whose coefficients would take about 900 MB.
grey() { $PY -c "
import sys
w, h = $1, $2
sys.stdout.buffer.write(b'P6\\n%d %d\\n255\\n' % (w, h))
for _ in range(h): sys.stdout.buffer.write(bytes([128]) * (3 * w))"; }
grey 6000 6000 | cjpeg -arithmetic -progressive > jpeg_arith_6000.jpg
grey 32768 4576 | cjpeg -arithmetic -progressive -sample 1x1 > jpeg_arith_32768x4576.jpg
# CMYK (Adobe, inverted inks) from flat colour bands, by Pillow; checked against the bands' colours.
$PY - <<'PY'
from PIL import Image
im = Image.new("RGB", (32, 8))
bands = [(255, 0, 0), (0, 255, 0), (0, 0, 255), (255, 255, 255)]
for x in range(32):
    for y in range(8):
        im.putpixel((x, y), bands[x // 8])
im.convert("CMYK").save("jpeg_cmyk.jpg", quality=100)
PY

# GIF.
convert pal200.ppm gif_plain.gif
convert pal200.ppm -interlace GIF gif_interlaced.gif
convert pal16.ppm -page 30x20+4+3 gif_offset.gif          # a 21 x 11 frame at (4, 3) on a 30 x 20 screen
$PY - <<'PY'
from PIL import Image
im = Image.open("pal16.ppm").quantize(16)
im.save("gif_transparent.gif", transparency=int(im.getpixel((0, 0))))  # the colour of (0, 0) is transparent
a = Image.open("pal16.ppm").quantize(16)
b = Image.new("RGB", a.size, (9, 9, 9)).quantize(16)
a.save("gif_animated.gif", save_all=True, append_images=[b], duration=100)
PY

# PNG: colour types and depths (without ImageMagick's time stamps, so the files stay the same).
PNGOPT="-define png:exclude-chunk=date,time"
convert photo.ppm $PNGOPT png_rgb8.png
convert photo.ppm -depth 16 -define png:bit-depth=16 $PNGOPT PNG48:png_rgb16.png
convert pal200.ppm $PNGOPT PNG8:png_palette.png
convert pal2.ppm -colorspace Gray -depth 1 $PNGOPT png_grey1.png && convert png_grey1.png png_grey1.ppm
convert photo.ppm -colorspace Gray $PNGOPT png_grey8.png && convert png_grey8.png png_grey8.ppm
convert photo.ppm -interlace PNG $PNGOPT png_interlaced.png
convert pal16.ppm -colorspace Gray -depth 4 $PNGOPT png_grey4.png && convert png_grey4.png png_grey4.ppm
convert png_grey8.png -depth 16 -define png:bit-depth=16 -define png:color-type=0 $PNGOPT png_grey16.png  # 16-bit greys
$PY - <<'PY'
from PIL import Image
# 4 x 2 RGBA with chosen alpha values over chosen colours (checked by the alpha composition rule).
im = Image.new("RGBA", (4, 2))
px = [(200, 100, 50, 0), (200, 100, 50, 1), (200, 100, 50, 128), (200, 100, 50, 254),
      (0, 0, 0, 255), (10, 20, 30, 77), (255, 255, 255, 3), (17, 240, 99, 200)]
for i, p in enumerate(px):
    im.putpixel((i % 4, i // 4), p)
im.save("png_rgba.png")
la = Image.new("LA", (2, 1)); la.putpixel((0, 0), (100, 50)); la.putpixel((1, 0), (30, 255)); la.save("png_greyalpha.png")
PY

# TIFF.
convert photo.ppm -compress None tiff_none.tif
convert photo.ppm -compress LZW tiff_lzw.tif
convert photo.ppm -compress Zip tiff_deflate.tif
convert photo.ppm -compress RLE tiff_packbits.tif
convert photo.ppm -define tiff:tile-geometry=16x16 -compress LZW tiff_tiled.tif
convert pal16.ppm -type Palette tiff_palette.tif
convert photo.ppm -colorspace Gray tiff_grey.tif && convert tiff_grey.tif tiff_grey.ppm
convert photo.ppm pal16.ppm tiff_twopages.tif              # the first page is the photo
$PY - <<'PY'
from PIL import Image
Image.open("photo.ppm").save("tiff_pillow.tif")
PY

# TIFF with alpha, associated (stored multiplied by alpha) and unassociated, from a 7 x 2 RGBA source and a
# grey one; the reference is each source composed once onto white, 255 - a + (c a + 127) / 255.
$PY - <<'PY'
import struct
from PIL import Image
rgba = [(200, 130, 90, 130), (200, 130, 90, 0), (10, 250, 3, 1), (255, 0, 128, 255), (17, 240, 99, 200),
        (0, 0, 0, 77), (255, 255, 255, 128), (90, 60, 30, 254), (1, 2, 3, 2), (128, 128, 128, 127),
        (250, 5, 60, 64), (0, 255, 0, 191), (33, 66, 99, 33), (240, 10, 10, 10)]
im = Image.new("RGBA", (7, 2))
for i, p in enumerate(rgba):
    im.putpixel((i % 7, i // 7), p)
im.save("tiff_alpha_source.png")
la = Image.new("LA", (4, 1))
for i, p in enumerate([(200, 130), (90, 0), (255, 1), (17, 200)]):
    la.putpixel((i, 0), p)
la.save("tiff_alpha_grey_source.png")
on = lambda c, a: 255 - a + (c * a + 127) // 255
for src, name in ((im, "tiff_alpha.onwhite.ppm"), (la.convert("RGBA"), "tiff_alpha_grey.onwhite.ppm")):
    out = Image.new("RGB", src.size)
    for y in range(src.height):
        for x in range(src.width):
            *c, a = src.getpixel((x, y))
            out.putpixel((x, y), tuple(on(v, a) for v in c))
    out.save(name)
# Pillow writes RGBA as unassociated; the associated copy holds the multiplied samples with its
# ExtraSamples entry changed to 1.
im.save("tiff_alpha_pillow.tif")
pre = Image.new("RGBA", im.size)
for y in range(im.height):
    for x in range(im.width):
        *c, a = im.getpixel((x, y))
        pre.putpixel((x, y), tuple((v * a + 127) // 255 for v in c) + (a,))
pre.save("tiff_alpha_pillow_assoc.tif")
b = bytearray(open("tiff_alpha_pillow_assoc.tif", "rb").read())
ifd = struct.unpack_from("<I", b, 4)[0]
for i in range(struct.unpack_from("<H", b, ifd)[0]):
    at = ifd + 2 + 12 * i
    if struct.unpack_from("<H", b, at)[0] == 338:
        struct.pack_into("<H", b, at + 8, 1)
open("tiff_alpha_pillow_assoc.tif", "wb").write(bytes(b))
la.save("tiff_alpha_grey_pillow.tif")
PY
/usr/bin/convert tiff_alpha_source.png -define tiff:alpha=unassociated tiff_alpha_im.tif
/usr/bin/convert tiff_alpha_source.png -define tiff:alpha=associated tiff_alpha_im_assoc.tif
/usr/bin/convert tiff_alpha_source.png -depth 16 -define tiff:alpha=unassociated tiff_alpha_im16.tif
/usr/bin/convert tiff_alpha_source.png -compress LZW -define tiff:alpha=associated -define tiff:tile-geometry=16x16 tiff_alpha_im_tiled.tif
/usr/bin/convert tiff_alpha_source.png -interlace plane -define tiff:alpha=unassociated tiff_alpha_im_planar.tif
/usr/bin/convert tiff_alpha_grey_source.png -define tiff:alpha=associated tiff_alpha_grey_im_assoc.tif
/usr/bin/convert tiff_alpha_grey_source.png -depth 16 -define tiff:alpha=unassociated tiff_alpha_grey_im16.tif
/usr/bin/convert tiff_alpha_grey_source.png -depth 16 -define tiff:alpha=associated tiff_alpha_grey_im16_assoc.tif
/usr/bin/convert tiff_alpha_grey_source.png -depth 16 -compress LZW -define tiff:alpha=unassociated -define tiff:tile-geometry=16x16 tiff_alpha_grey_im16_tiled.tif
# Grey with unassociated alpha in real 16-bit samples (high and low bytes differ), min-is-white, in 16 x 16
# tiles of which the right and bottom ones are partial, written by hand; the reference composes each
# sample's high byte (the grey inverted) once onto white.
$PY - <<'PY'
import struct
from PIL import Image
w, h, side = 20, 18, 16
grey = lambda x, y: (x * 3001 + y * 1187 + 77) % 65536
alpha = lambda x, y: (x * 2917 + y * 3643 + 1300) % 65536
tiles = []
for ty in range(0, h, side):
    for tx in range(0, w, side):
        t = bytearray()
        for y in range(ty, ty + side):
            for x in range(tx, tx + side):
                t += struct.pack("<HH", grey(x, y), alpha(x, y)) if x < w and y < h else bytes(4)
        tiles.append(bytes(t))
n = len(tiles)
entries = [(256, 3, 1, w), (257, 3, 1, h), (258, 3, 2, 16 | 16 << 16), (259, 3, 1, 1), (262, 3, 1, 0),
           (277, 3, 1, 2), (284, 3, 1, 1), (322, 3, 1, side), (323, 3, 1, side), (324, 4, n, None),
           (325, 4, n, None), (338, 3, 1, 2)]
ifd_at = 8
arrays_at = ifd_at + 2 + 12 * len(entries) + 4
data_at = arrays_at + 8 * n
offsets = [data_at + i * len(tiles[0]) for i in range(n)]
arrays = {324: struct.pack(f"<{n}I", *offsets), 325: struct.pack(f"<{n}I", *[len(t) for t in tiles])}
ifd = struct.pack("<H", len(entries))
for tag, typ, count, value in entries:
    value = arrays_at + (0 if tag == 324 else 4 * n) if tag in arrays else value
    ifd += struct.pack("<HHII", tag, typ, count, value)
ifd += struct.pack("<I", 0)
open("tiff_alpha_grey16_miniswhite_tiled.tif", "wb").write(
    b"II*\0" + struct.pack("<I", ifd_at) + ifd + arrays[324] + arrays[325] + b"".join(tiles))
out = Image.new("RGB", (w, h))
for y in range(h):
    for x in range(w):
        g, a = 255 - (grey(x, y) >> 8), alpha(x, y) >> 8
        out.putpixel((x, y), (255 - a + (g * a + 127) // 255,) * 3)
out.save("tiff_alpha_grey16_miniswhite.onwhite.ppm")
PY

# BMP.
convert pal2.ppm -type Palette -colors 2 BMP3:bmp_1bit.bmp
convert pal16.ppm -type Palette BMP3:bmp_4bit.bmp
convert pal200.ppm -type Palette -compress None BMP3:bmp_8bit.bmp
convert pal200.ppm -type Palette -compress RLE BMP3:bmp_rle8.bmp
convert photo.ppm BMP3:bmp_24bit.bmp
convert photo.ppm BMP2:bmp_core24.bmp                       # 12-byte header
convert photo555.ppm -define bmp:subtype=RGB555 bmp_16bit555.bmp
convert photo565.ppm -define bmp:subtype=RGB565 bmp_16bit565.bmp
# ImageMagick truncates when it cuts channels to 5 or 6 bits; the reference is what its bits hold, scaled
# to 8 bits with rounding.
$PY - <<'PY'
import struct
from PIL import Image
for name in ("bmp_16bit555", "bmp_16bit565"):
    b = open(name + ".bmp", "rb").read()
    off, w, h = struct.unpack_from("<I", b, 10)[0], *struct.unpack_from("<ii", b, 18)
    masks = struct.unpack_from("<3I", b, 54)
    stride = (w * 2 + 3) & ~3
    im = Image.new("RGB", (w, h))
    for y in range(h):
        for x in range(w):
            v = struct.unpack_from("<H", b, off + (h - 1 - y) * stride + 2 * x)[0]
            px = []
            for m in masks:
                shift = (m & -m).bit_length() - 1
                top = m >> shift
                px.append(((v & m) >> shift) * 255 * 2 // top + 1 >> 1)
            im.putpixel((x, y), tuple(px))
    im.save(name + ".ppm")
PY
convert photo.ppm -alpha on BMP:bmp_v5_32bit.bmp
$PY - <<'PY'
import struct
from PIL import Image
Image.open("photo.ppm").save("bmp_pillow24.bmp")
# Top-down: the same 24-bit file with a negative height and its rows in top-down order.
b = bytearray(open("bmp_pillow24.bmp", "rb").read())
off, w, h = struct.unpack_from("<I", b, 10)[0], *struct.unpack_from("<ii", b, 18)
stride = (w * 3 + 3) & ~3
rows = [b[off + i * stride: off + (i + 1) * stride] for i in range(h)]
struct.pack_into("<i", b, 22, -h)
b[off:off + stride * h] = b"".join(reversed(rows))
open("bmp_topdown.bmp", "wb").write(bytes(b))
# V4 (108-byte header): the V5 file without its last 16 header bytes.
b = bytearray(open("bmp_v5_32bit.bmp", "rb").read())
b[14:18] = struct.pack("<I", 108)
del b[14 + 108:14 + 124]
struct.pack_into("<I", b, 10, struct.unpack_from("<I", b, 10)[0] - 16)
struct.pack_into("<I", b, 2, len(b))
open("bmp_v4_32bit.bmp", "wb").write(bytes(b))
# 16 bits without bit fields (5-5-5), written by hand.
im = Image.open("photo555.ppm")
w, h = im.size
stride = (w * 2 + 3) & ~3
data = bytearray()
for y in range(h - 1, -1, -1):
    row = bytearray()
    for x in range(w):
        r, g, bl = im.getpixel((x, y))
        row += struct.pack("<H", (r >> 3) << 10 | (g >> 3) << 5 | bl >> 3)
    data += row + bytes(stride - len(row))
head = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 16, 0, len(data), 2835, 2835, 0, 0)
open("bmp_16bit_rgb.bmp", "wb").write(b"BM" + struct.pack("<IHHI", 54 + len(data), 0, 0, 54) + head + data)
# RLE4, written by hand from pal16: runs, an absolute run, a delta, end of line and end of bitmap.
im = Image.open("pal16.ppm").quantize(16)
pal = im.getpalette()[:48]
w, h = im.size
data = bytearray()
for y in range(h - 1, -1, -1):
    row = [im.getpixel((x, y)) for x in range(w)]
    if y == 1:                         # this row keeps only its first 4 pixels; a delta skips 3, EOL the rest
        data += bytes([4, row[0] << 4 | row[1], 0, 2, 3, 0, 0, 0])
        continue
    data += bytes([0, 5, row[0] << 4 | row[1], row[2] << 4 | row[3], row[4] << 4, 0])  # absolute 5, padded
    x = 5
    while x < w:
        n = min(w - x, 6)
        data += bytes([n, row[x] << 4 | (row[x + 1] if x + 1 < w else 0)])
        x += n
    data += bytes([0, 0])
data += bytes([0, 1])
table = b"".join(bytes([pal[i * 3 + 2], pal[i * 3 + 1], pal[i * 3], 0]) for i in range(16))
head = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 4, 2, len(data), 2835, 2835, 16, 0)
off = 14 + len(head) + len(table)
open("bmp_rle4.bmp", "wb").write(b"BM" + struct.pack("<IHHI", off + len(data), 0, 0, off) + head + table + data)
PY
# The picture a pure RLE4 reader gives for it: a run repeats its two indices alternately.
$PY - <<'PY'
from PIL import Image
im = Image.open("pal16.ppm").quantize(16)
w, h = im.size
pal = im.getpalette()
out = Image.new("RGBA", (w, h))
for y in range(h):
    for x in range(w):
        i = im.getpixel((x, y))
        if y == 1:
            i = im.getpixel((x % 2, y)) if x < 4 else None
        elif x >= 5:
            start = 5 + (x - 5) // 6 * 6
            i = im.getpixel((start + (x - start) % 2, y)) if start + (x - start) % 2 < w else 0
        out.putpixel((x, y), (255, 255, 255, 0) if i is None else (pal[i * 3], pal[i * 3 + 1], pal[i * 3 + 2], 255))
out.convert("RGB").save("bmp_rle4.ppm")
PY
echo made
