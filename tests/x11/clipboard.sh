#!/usr/bin/env bash
# As a user would, with the X server's real clipboard: a clipboard holding only text gives "No Bitmap to
# Paste." and leaves the image unchanged (leaving asks nothing); a PNG put on the clipboard by xclip is
# pasted with Ctrl+V at the top-left corner, and after Ctrl+C the clipboard gives back the image's pixels;
# so is the corner of an 8000 x 6000 PNG.
# Usage: clipboard.sh <path to glyphwerk>. It starts an X server of its own.
set -euo pipefail

exe=$(readlink -f "$1")
name=clipboard
source "$(dirname "$0")/editor.bash"

# clip_out CHECK: the clipboard's PNG in $work/out.png, passing the Python CHECK (which reads it as argv[1]).
clip_out() {
  timeout 10 xclip -selection clipboard -t image/png -o >"$work/out.png" && /usr/bin/python3 -c "$1" "$work/out.png"
}

# Text only.
start_editor
printf 'only text' >"$work/text.txt"
clip_in "$work/text.txt"
xdotool key --clearmodifiers ctrl+v
box=$(wait_window "Information Dialog") || fail "no Information Dialog for a text-only clipboard"
focus "$box"
xdotool key Return
wait_for "the Information Dialog to close" window_gone "Information Dialog"
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
# Until the editor has handled Ctrl+C the clipboard gives xclip's picture; a box of Ctrl+V would hold Ctrl+C.
xdotool key --clearmodifiers ctrl+v ctrl+c
wait_for "the clipboard to give back the pasted picture" clip_out "$(cat <<'PY'
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
)"
window_gone "Information Dialog" || fail "the PNG on the clipboard was not taken"
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
xdotool key --clearmodifiers ctrl+v ctrl+c
wait_for "the clipboard to give back the large picture's corner" clip_out "$(cat <<'PY'
import sys
from PIL import Image
im = Image.open(sys.argv[1]).convert("RGB")
assert im.size == (32, 32), im.size
bad = [(x, y) for y in range(32) for x in range(32) if im.getpixel((x, y)) != (7 * x, 8 * y, 200)]
assert not bad, f"pixels {bad[:5]} differ"
PY
)"
window_gone "Information Dialog" || fail "the 8000 x 6000 PNG on the clipboard was not taken"
exit_editor asks
echo "clipboard: text refused, PNG pasted and copied back, a picture larger than Qt decodes pasted"
