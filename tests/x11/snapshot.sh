#!/usr/bin/env bash
# As a user would: with a known pattern on the screen, press "Desktop SnapShot", confirm the set-up, move the
# pointer over the pattern and press the space bar; the image must hold the square around the pointer (the
# pointer at column and row 15 of a 32 x 32 square). Then the same at the screen's bottom-right corner,
# ended by a mouse click, where the part of the square off the screen must come in black. First of all, a
# snapshot while another program holds the pointer must be refused with a message, changing nothing.
# Usage: snapshot.sh <path to glyphwerk>. It starts an X server of its own.
set -euo pipefail

exe=$(readlink -f "$1")
name=snapshot
tools="/usr/bin/display /usr/bin/import"
source "$(dirname "$0")/editor.bash"

# A 200 x 200 pattern with a colour of its own in every pixel, in the screen's bottom-right corner, clear of
# the editor's window.
/usr/bin/python3 - "$work/pattern.png" <<'PY'
import sys
from PIL import Image
im = Image.new("RGB", (200, 200))
for y in range(200):
    for x in range(200):
        im.putpixel((x, y), (x, y, (3 * x + 7 * y) % 256))
im.save(sys.argv[1])
PY
spawn /usr/bin/display -geometry +1080+824 -title pattern "$work/pattern.png"
wait_window pattern >/dev/null || fail "the pattern window did not appear"
pattern_shown() { [ "$(screen_pixel 1180 874)" = "98,48,118" ]; }  # its pixel (98, 48), inside a border
wait_for "the pattern on the screen" pattern_shown

# copy_image CHECK...: Ctrl+C in the editor, then waits until the clipboard's PNG (in $work/out.png) passes
# CHECK. xclip holds the clipboard first, so that an image read from it is the editor's copy.
copy_image() {
  printf 'before the copy' >"$work/before.txt"
  clip_in "$work/before.txt"
  focus "$win"
  xdotool key --clearmodifiers ctrl+c
  wait_for "the copied image to pass: $*" copied "$@"
}
copied() { timeout 10 xclip -selection clipboard -t image/png -o >"$work/out.png" && "$@"; }

# The live view (the square magnified over the top-left of the edit area, at (33, 150) of the window) shows
# at its centre cell the screen's pixel at the pointer at ($1, $2): a frame was taken there.
live_view_at() {
  local want got
  want=$(screen_pixel "$1" "$2")
  got=$(screen_pixel $((wx + 33 + 155)) $((wy + 150 + 155)))
  [ "$got" = "$want" ] || { echo "the live view shows $got, the pointer's pixel is $want"; return 1; }
}

start_editor

# Takes a snapshot with the pointer at ($1, $2), ended by $3 ("key" or "click"), and checks the copied
# image against the screen as the X server shows it (the pattern is clear of the editor's window).
snapshot_at() {
  focus "$win"
  # "Desktop SnapShot": the fourth button of the tool bar's second row.
  xdotool mousemove --window "$win" $((8 + 90 + 15)) 74 click 1
  setup=$(wait_window "SnapShot Setup") || fail "no set-up dialog"
  focus "$setup"
  xdotool key Return
  wait_window "<SPACEBAR> terminates SnapShot" >/dev/null || fail "the capture did not start"
  xdotool mousemove "$1" "$2"
  wait_for "the live view of the square around $1,$2" live_view_at "$1" "$2"
  if [ "$3" = key ]; then xdotool key space; else xdotool click 1; fi
  wait_window "Glyphwerk" >/dev/null || fail "the caption did not come back after the capture"
  /usr/bin/import -window root "$work/screen.png"
  copy_image around_pointer "$1" "$2"
}
# The copied image is the square around ($1, $2) of the screen as $work/screen.png holds it.
around_pointer() {
  /usr/bin/python3 - "$work/out.png" "$work/screen.png" "$1" "$2" <<'PY'

import sys
from PIL import Image
out = Image.open(sys.argv[1]).convert("RGB")
screen = Image.open(sys.argv[2]).convert("RGB")
x0, y0 = (int(v) for v in sys.argv[3:5])
assert out.size == (32, 32), out.size
assert len(set(out.getdata())) > 300, "the square does not show the pattern"
for y in range(32):
    for x in range(32):
        sx, sy = x0 - 15 + x, y0 - 15 + y
        inside = 0 <= sx < screen.width and 0 <= sy < screen.height
        want = screen.getpixel((sx, sy)) if inside else (0, 0, 0)
        got = out.getpixel((x, y))
        assert got == want, f"pixel {x},{y} (screen {sx},{sy}) is {got}, not {want}"
PY
}

# While another program holds the pointer the snapshot cannot start: a message says so, nothing changes
# (leaving asks nothing), and the editor stays usable.
focus "$win"
xdotool mousemove --window "$win" $((8 + 90 + 15)) 74 click 1
setup=$(wait_window "SnapShot Setup") || fail "no set-up dialog"
spawn /usr/bin/python3 -c "$(cat <<'PY'
import ctypes, os, sys, time
x = ctypes.CDLL("libX11.so.6")
x.XOpenDisplay.restype = ctypes.c_void_p
x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x.XDefaultRootWindow.restype = ctypes.c_ulong
x.XGrabPointer.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_uint, ctypes.c_int,
                           ctypes.c_int, ctypes.c_ulong, ctypes.c_ulong, ctypes.c_ulong]
d = x.XOpenDisplay(None)
if x.XGrabPointer(d, x.XDefaultRootWindow(d), 0, 4, 1, 1, 0, 0, 0) != 0:
    sys.exit("cannot grab the pointer")
x.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
x.XSync(d, 0)
open(sys.argv[1], "w").close()
time.sleep(30)
PY
)" "$work/held"
holder=${children[-1]}
wait_for "the helper to take the pointer" test -f "$work/held"
focus "$setup"
xdotool key Return
box=$(wait_window "Desktop SnapShot") || fail "no message when the pointer is held by another program"
[ -n "$(window_titled "Glyphwerk")" ] || fail "the caption changed although the snapshot did not start"
focus "$box"
xdotool key Return
end_process "$holder"
exit_editor

start_editor
snapshot_at 1150 900 key
snapshot_at 1275 1020 click
exit_editor asks

# A 16 x 16 snapshot ended by a click on the edit area itself: the click is the capture's own, so the pencil
# paints nothing where it was pressed, and one Undo takes the snapshot back off the blank image.
start_editor
focus "$win"
xdotool mousemove --window "$win" $((8 + 90 + 15)) 74 click 1
setup=$(wait_window "SnapShot Setup") || fail "no set-up dialog"
focus "$setup"
xdotool key shift+Tab Down Down Return  # from "Ok" back to the list: "32x32", "24x24", "16x16"
wait_window "<SPACEBAR> terminates SnapShot" >/dev/null || fail "the capture did not start"
# Cell (24, 24) of the 32 x 32 edit area (10 pixels a cell), well clear of the 16 x 16 block.
xdotool mousemove --window "$win" $((33 + 245)) $((25 + 132 + 245)) click 1
wait_window "Glyphwerk" >/dev/null || fail "the caption did not come back after the capture"
white_but() {
  /usr/bin/python3 - "$work/out.png" "$1" <<'PY'
import sys
from PIL import Image
im = Image.open(sys.argv[1]).convert("RGB")
block = 16 if sys.argv[2] == "snapshot" else 0
bad = [(x, y) for y in range(32) for x in range(32)
       if not (x < block and y < block) and im.getpixel((x, y)) != (255, 255, 255)]
assert not bad, f"not white outside the snapshot: {bad[:5]}"
PY
}
copy_image white_but snapshot  # else the ending click reached the edit area
xdotool key --clearmodifiers ctrl+z
copy_image white_but blank  # else one Undo does not give the blank image back: the click added a state
exit_editor asks
echo "snapshot: the squares around the pointer landed, black off the screen"
