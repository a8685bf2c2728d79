#!/usr/bin/env bash
# As a user would: start the editor with an icon of unique colours named on the command line, choose
# Image > Flip > "Flip Entire Image Horizontally" from the keyboard and save with Icon > Save, then
# Image > Rotate > "Rotate Image 90 Degrees Left" and save again, and check the file each time: the flip
# carries the pixel at (x, y), with its transparency, to (31 - x, y), and the turn after it to (y, x).
# Usage: flip_rotate.sh <path to glyphwerk>. It starts an X server of its own.
set -euo pipefail

exe=$(readlink -f "$1")
name=flip_rotate
source "$(dirname "$0")/editor.bash"

# A 32 x 32 true-colour icon: red 8x, green 8y, blue 100 at (x, y); the pixel at (5, 0) is transparent.
/usr/bin/python3 - "$work/cells.ico" <<'PY'
import struct, sys
rows, mask = b"", b""
for y in reversed(range(32)):
    rows += b"".join(bytes((100, 8 * y, 8 * x)) if (x, y) != (5, 0) else b"\0\0\0" for x in range(32))
    mask += (1 << 26).to_bytes(4, "big") if y == 0 else b"\0" * 4
header = struct.pack("<IiiHHIIiiII", 40, 32, 64, 1, 24, 0, 0, 0, 0, 0, 0)
entry = struct.pack("<BBBBHHII", 32, 32, 0, 0, 1, 24, 40 + len(rows) + len(mask), 22)
open(sys.argv[1], "wb").write(struct.pack("<HHH", 0, 1, 1) + entry + header + rows + mask)
PY

start_editor "$work/cells.ico"

# "&Icon" and "&Image" share their access key: the Image menu is reached from Edit, one to the right. Its
# ninth item is Flip, the tenth Rotate; each sub-menu opens on its first item.
image_submenu() {
  focus "$win"
  xdotool key --clearmodifiers alt+e
  wait_for "the Edit menu to open" popups_are 1
  xdotool key Right
  for _ in $(seq 1 "$1"); do xdotool key Down; done
  xdotool key Right
  wait_for "the Image menu's sub-menu to open" popups_are 2
  xdotool key Return
  wait_for "the menus to close" popups_are 0
}
# Icon > Save writes the opened file back (removed first, so the new one shows when it is there whole: 6 +
# 16 + 40 + 3072 + 128 bytes); each save is checked against where the pixel at (x, y) of the icon as opened
# should now be.
save_and_check() {
  rm -f "$work/cells.ico"
  icon_menu s
  whole() { [ "$(stat -c %s "$work/cells.ico" 2>/dev/null || echo 0)" -eq 3262 ]; }
  wait_for "Save to write cells.ico whole" whole
  /usr/bin/python3 - "$work/cells.ico" "$1" <<'PY' || fail "the saved pixels are not the icon after: $1"
import struct, sys
data, step = open(sys.argv[1], "rb").read(), sys.argv[2]
offset = struct.unpack_from("<I", data, 18)[0]
size, width, height, planes, bits = struct.unpack_from("<IiiHH", data, offset)
assert (width, height, bits) == (32, 64, 24), (width, height, bits)
pixels = offset + size
masks = pixels + 32 * 32 * 3
bad = []
for y in range(32):
    for x in range(32):
        row = 31 - y
        b, g, r = data[pixels + row * 96 + x * 3: pixels + row * 96 + x * 3 + 3]
        clear = data[masks + row * 4 + x // 8] >> (7 - x % 8) & 1
        sx, sy = (31 - x, y) if step == "flip" else (y, x)  # where the pixel was in the icon as opened
        want = ((0, 0, 0), 1) if (sx, sy) == (5, 0) else ((8 * sx, 8 * sy, 100), 0)
        if ((r, g, b), clear) != want:
            bad.append(((x, y), (r, g, b), clear, want))
if bad:
    print(len(bad), "pixels differ, first:", bad[:3])
    sys.exit(1)
PY
}

image_submenu 8  # Flip > Flip Entire Image Horizontally
save_and_check flip
image_submenu 9  # Rotate > Rotate Image 90 Degrees Left
save_and_check "flip and left turn"

# Nothing is modified after the save: Icon > Exit ends at once.
exit_editor
echo "flip_rotate: flipped, turned and saved the opened icon"
