#!/usr/bin/env bash
# As a user would: Icon > Open of a program file shows the icon picker with its icons; a double-click on the
# first icon puts it into the image, which Icon > Save then writes through the dialog: its opaque pixels are
# the icon as the platform draws it at 32 x 32, its pure white transparent. Icon > Exit ends at once.
# Usage: exe_icons.sh <path to glyphwerk>. It starts an X server of its own.
set -euo pipefail

exe=$(readlink -f "$1")
data=$(cd "$(dirname "$0")/../data/pe-reference" && pwd)
name=exe_icons
source "$(dirname "$0")/editor.bash"
cp "$data/pubcases.dll" "$work/pubcases.dll"

start_editor
icon_menu o
file_dialog "Open Icon" "$work/pubcases.dll"
picker=$(wait_window "Icons: 12   Source: pubcases.dll") || fail "no picker listing the 12 icons of pubcases.dll"
focus "$picker"
px=$(xwininfo -id "$picker" | awk '/Absolute upper-left X/ {print $4}')
py=$(xwininfo -id "$picker" | awk '/Absolute upper-left Y/ {print $4}')
# The picker puts the icon into the image as it handles the double-click, before the clicks that follow.
xdotool mousemove $((px + 16)) $((py + 16)) click --repeat 2 --delay 80 1

icon_menu s
file_dialog "Save Icon" "$work/picked.ico"
wait_for "Save to write picked.ico" test -s "$work/picked.ico"

/usr/bin/python3 - "$work/picked.ico" "$data/pubcases.dll.txt" <<'PY' || fail "picked.ico is not the first icon"
import struct, sys
ico = open(sys.argv[1], "rb").read()
want = [l for l in open(sys.argv[2]).read().split("\n") if len(l) == 192][:32]  # icon 0
w, h, bits, offset = ico[6], ico[7], struct.unpack_from("<H", ico, 12)[0], struct.unpack_from("<I", ico, 18)[0]
assert (w, h, bits) == (32, 32, 24), (w, h, bits)
colours = offset + struct.unpack_from("<I", ico, offset)[0]
mask = colours + 96 * 32
opaque = 0
for y in range(32):
    row, mrow = colours + 96 * (31 - y), mask + 4 * (31 - y)
    for x in range(32):
        b, g, r = ico[row + 3 * x: row + 3 * x + 3]
        transparent = (ico[mrow + x // 8] >> (7 - x % 8)) & 1
        expected = want[y][6 * x: 6 * x + 6]
        if expected == "FFFFFF":
            assert transparent, (x, y)
        else:
            assert not transparent and "%02X%02X%02X" % (r, g, b) == expected, (x, y, expected)
            opaque += 1
assert opaque > 100, opaque
PY

exit_editor
echo "exe_icons: the picker listed pubcases.dll and its first icon went into the saved image"
