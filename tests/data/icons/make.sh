#!/usr/bin/env bash
# Makes the icon and cursor files of this folder with other programs: icotool (icoutils), ImageMagick's
# convert and Pillow (Debian's /usr/bin/python3). The tests open them and compare their pixels and masks with
# the source pictures src-*.png, which this script paints first. Run it from anywhere; it writes here.
set -euo pipefail
cd "$(dirname "$0")"

# Source pictures: a pattern of a few colours, with every pixel where (x + 2y) % 7 == 0 fully transparent.
/usr/bin/python3 - <<'PY'
from PIL import Image
def paint(name, size, colors):
    im = Image.new("RGBA", (size, size))
    for y in range(size):
        for x in range(size):
            if (x + 2 * y) % 7 == 0:
                im.putpixel((x, y), (0, 0, 0, 0))
            else:
                im.putpixel((x, y), colors[(3 * x + 5 * y) % len(colors)] + (255,))
    im.save(name)
paint("src-mono-32.png", 32, [(0, 0, 0), (255, 255, 255)])
paint("src-16color-32.png", 32, [(0, 0, 0), (128, 0, 0), (0, 128, 0), (0, 0, 255), (255, 255, 0), (192, 192, 192),
                                 (255, 255, 255), (12, 34, 56)])
paint("src-256color-16.png", 16, [(i * 37 % 256, i * 91 % 256, i * 53 % 256) for i in range(40)])
paint("src-true-24.png", 24, [(i * 7 % 256, i * 13 % 256, i * 29 % 256) for i in range(200)])
PY

# icoutils: 1, 4, 8 and 24 bits, a cursor with its hot spot at (5, 7); 32 bits and a PNG entry are refused.
icotool -c -b 1 -o icotool-1bit-32.ico src-mono-32.png
icotool -c -b 4 -o icotool-4bit-32.ico src-16color-32.png
icotool -c -b 8 -o icotool-8bit-16.ico src-256color-16.png
icotool -c -b 24 -o icotool-24bit-24.ico src-true-24.png
icotool -c --cursor -X 5 -Y 7 -b 1 -o icotool-cursor-32.cur src-mono-32.png
icotool -c -b 32 -o icotool-32bit-32.ico src-16color-32.png
icotool -c -r src-16color-32.png -o icotool-png-32.ico

# ImageMagick: 16 and 256 colours; its default for a picture with transparency (32 bits) is refused.
convert src-16color-32.png -colors 16 magick-16color-32.ico
convert src-256color-16.png -type PaletteAlpha magick-256color-16.ico
convert src-16color-32.png magick-32bit-32.ico

# Pillow's BMP-style icons (its mask is all opaque, so transparent source pixels come out opaque black); its
# 32-bit and its default PNG icons are refused.
/usr/bin/python3 - <<'PY'
from PIL import Image
src = Image.open("src-16color-32.png").convert("RGB")
mono = Image.open("src-mono-32.png").convert("RGB").convert("1", dither=Image.Dither.NONE)
def bmp(im, name):
    im.save(name, bitmap_format="bmp", sizes=[(32, 32)])
bmp(mono, "pillow-1bit-32.ico")
bmp(src.convert("P", palette=Image.Palette.ADAPTIVE, colors=16), "pillow-8bit-32.ico")
bmp(src, "pillow-24bit-32.ico")
bmp(Image.open("src-16color-32.png").convert("RGBA"), "pillow-32bit-32.ico")
Image.open("src-16color-32.png").save("pillow-png-32.ico", sizes=[(32, 32)])
PY

# Colour tables of their own at more sizes: none of these colours is in the editor's default tables except
# black, which carries the transparent pixels. Opened and saved unedited, each must give back its pixels.
/usr/bin/python3 - <<'PY'
from PIL import Image
def paint(name, size, colors):
    im = Image.new("RGBA", (size, size))
    for y in range(size):
        for x in range(size):
            if (x + 2 * y) % 7 == 0:
                im.putpixel((x, y), (0, 0, 0, 0))
            else:
                im.putpixel((x, y), colors[(3 * x + 5 * y + x * y // 5) % len(colors)] + (255,))
    im.save(name)
few = [(0, 0, 0), (12, 34, 56), (200, 10, 90), (90, 200, 10), (10, 90, 200), (250, 240, 230), (123, 123, 200),
       (77, 66, 55), (180, 180, 20), (60, 0, 120), (254, 254, 254), (30, 160, 160)]
many = [(0, 0, 0)] + [((i * 29 + 7) % 256, (i * 71 + 3) % 256, (i * 113 + 11) % 256) for i in range(1, 120)]
for size in (16, 24, 48, 64):
    paint("src-few-%d.png" % size, size, few)
for size in (24, 48, 64):
    paint("src-many-%d.png" % size, size, many)
PY
for size in 16 48; do icotool -c -b 4 -o icotool-4bit-$size.ico src-few-$size.png; done
for size in 24 64; do icotool -c -b 8 -o icotool-8bit-$size.ico src-many-$size.png; done
for size in 24 64; do convert src-few-$size.png -colors 16 magick-16color-$size.ico; done
for size in 48 64; do convert src-many-$size.png -type PaletteAlpha magick-256color-$size.ico; done

# Several images in one file: the first is the one opened; the others must be written back byte for byte.
icotool -c -o icotool-3images.ico -b 4 src-few-16.png -b 8 src-many-24.png -b 24 src-few-48.png
icotool -c --cursor -o icotool-2cursors.cur -X 5 -Y 7 -b 1 src-mono-32.png -X 3 -Y 9 -b 4 src-few-16.png
