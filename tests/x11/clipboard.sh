#!/usr/bin/env bash
# As a user would, with the X server's real clipboard: a clipboard holding only text gives "No Bitmap to
# Paste." and leaves the image unchanged (leaving asks nothing); a PNG put on the clipboard by xclip is
# pasted with Ctrl+V at the top-left corner, and after Ctrl+C the clipboard gives back the image's pixels;
# so is the corner of an 8000 x 6000 PNG.
# Usage: clipboard.sh <path to glyphwerk>. It starts an X server of its own.
set -euo pipefail

exe=$(readlink -f "$1")
name=clipboard
tools=xclip
source "$(dirname "$0")/editor.bash"

# clip_in FILE [TYPE]: xclip holds the file on the clipboard (in the foreground, so the trap ends it) until
# another program takes the clipboard; returns once the clipboard offers the type.
clip_in() {
  spawn xclip -quiet -selection clipboard -t "${2:-UTF8_STRING}" -i "$1"
  for _ in $(seq 1 100); do
    timeout 5 xclip -selection clipboard -t TARGETS -o 2>/dev/null | grep -qx "${2:-UTF8_STRING}" && return 0
    sleep 0.1
  done
  fail "xclip did not take the clipboard"
}
# The clipboard's PNG in $work/out.png.
clip_out() {
  timeout 10 xclip -selection clipboard -t image/png -o >"$work/out.png" || fail "the clipboard gives no PNG after Copy"
}

# Text only.
start_editor
printf 'only text' >"$work/text.txt"
clip_in "$work/text.txt"
xdotool key --clearmodifiers ctrl+v
box=$(wait_window "Information Dialog") || fail "no Information Dialog for a text-only clipboard"
focus "$box"
xdotool key Return
sleep 0.3
[ -z "$(window_titled "Information Dialog")" ] || fail "the Information Dialog did not close"
exit_editor

# A 20 x 20 picture with a colour of its own in every pixel, and a half-transparent corner pixel.
/usr/bin/python3 - "$work/in.png" <<'PY'
import sys
from PIL import Image
im = Image.new("RGBA", (20, 20))
for y in range(20):
    for x in range(20):
        im.putpixel((x, y), (10 * x + 5, 10 * y + 5, 200, 255))
im.putpixel((19, 19), (0, 0, 0, 0))
im.save(sys.argv[1])
PY
start_editor
clip_in "$work/in.png" image/png
xdotool key --clearmodifiers ctrl+v
sleep 0.5
[ -z "$(window_titled "Information Dialog")" ] || fail "the PNG on the clipboard was not taken"
xdotool key --clearmodifiers ctrl+c
sleep 0.5
clip_out
/usr/bin/python3 - "$work/out.png" <<'PY' || fail "the copied image is not the pasted picture"
import sys
from PIL import Image
im = Image.open(sys.argv[1]).convert("RGB")
assert im.size == (32, 32), im.size
for y in range(32):
    for x in range(32):
        if x < 20 and y < 20:
            want = (255, 255, 255) if (x, y) == (19, 19) else (10 * x + 5, 10 * y + 5, 200)
        else:
            want = (255, 255, 255)  # the blank true-colour image around it
        got = im.getpixel((x, y))
        assert got == want, f"pixel {x},{y} is {got}, not {want}"
PY
exit_editor asks

# A capture of a screen larger than Qt decodes by itself (8000 x 6000 pixels): its top-left square arrives.
/usr/bin/python3 - "$work/big.png" <<'PY'
import sys
from PIL import Image
im = Image.new("RGB", (8000, 6000), (1, 2, 3))
for y in range(32):
    for x in range(32):
        im.putpixel((x, y), (7 * x, 8 * y, 200))
im.save(sys.argv[1])
PY
start_editor
clip_in "$work/big.png" image/png
xdotool key --clearmodifiers ctrl+v
sleep 2
[ -z "$(window_titled "Information Dialog")" ] || fail "the 8000 x 6000 PNG on the clipboard was not taken"
xdotool key --clearmodifiers ctrl+c
sleep 0.5
clip_out
/usr/bin/python3 - "$work/out.png" <<'PY' || fail "the copied image is not the large picture's corner"
import sys
from PIL import Image
im = Image.open(sys.argv[1]).convert("RGB")
assert im.size == (32, 32), im.size
bad = [(x, y) for y in range(32) for x in range(32) if im.getpixel((x, y)) != (7 * x, 8 * y, 200)]
assert not bad, f"pixels {bad[:5]} differ"
PY
exit_editor asks
echo "clipboard: text refused, PNG pasted and copied back, a picture larger than Qt decodes pasted"
