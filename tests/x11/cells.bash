# Shared by the X11 tests that paint (sourced after editor.bash, not a test itself): the edit area found on a
# screenshot, its cells at zoom 10, tool buttons by their place, and drags from cell to cell.

# A screenshot of the whole screen in $work/shot.png.
shot() { import -window root "$work/shot.png"; }

# edit_area R,G,B: waits for the edit area of a 32 x 32 image all in that colour (a 320 x 320 square of it, set
# off from what is around it) on the screen, the pointer off the window, and sets `ex` `ey`, the screen
# position of its top-left pixel.
edit_area() {
  xdotool mousemove 5 5  # off the window: no hover look on the edit area
  wait_for "a 320 x 320 edit area of colour $1 on the screen" find_edit_area "$1"
  read -r ex ey <"$work/wait.out"
  readout_cell="" readout_seen=""
}
find_edit_area() {
  shot
  /usr/bin/python3 - "$work/shot.png" "$1" <<'PY'
import sys
from PIL import Image
im = Image.open(sys.argv[1]).convert("RGB")
c = tuple(int(v) for v in sys.argv[2].split(","))
(w, h), px, n = im.size, im.load(), 320
for y in range(1, h - n):
    x = 1
    while x < w - n:
        if px[x, y] != c or px[x - 1, y] == c:
            x += 1
            continue
        run = 0
        while x + run < w and px[x + run, y] == c:
            run += 1
        if run == n and px[x, y - 1] != c and px[x, y + n] != c \
                and all(px[x, y + k] == c and px[x + n - 1, y + k] == c and px[x + k, y + n - 1] == c
                        for k in range(n)):
            print(x, y)
            sys.exit(0)
        x += run
sys.exit(f"none on the screen")
PY
}

# tool BX BY: clicks the tool button at (BX, BY) of the tool bar (the tool bar sits at (8, 8) of the window's
# client area, the edit area at (33, 132); buttons are 30 x 29). The editor handles the click before any
# later mouse event, so nothing is awaited.
tool() { xdotool mousemove $((ex - 25 + $1 + 15)) $((ey - 124 + $2 + 14)) click 1; }

cell() { echo $((ex + $1 * 10 + 5)) $((ey + $2 * 10 + 5)); }

# The readout of the cell under the pointer, above the edit area ("X= 3  Y= 5"), as a checksum of its pixels.
readout() { import -window root -crop "320x18+$ex+$((ey - 22))" -depth 8 rgb:- | md5sum; }
# move_to X Y: moves the pointer to the centre of cell (X, Y) and waits until the editor has handled the move,
# seen on its readout. The editor merges moves that queue up, so a drag waits for each before the next.
# `readout_cell` is the cell the readout shows and `readout_seen` its checksum; moves outside the edit area
# leave both as they are.
move_to() {
  [ -n "$readout_seen" ] || readout_seen=$(readout)
  xdotool mousemove $(cell "$1" "$2")
  [ "$1,$2" = "$readout_cell" ] || wait_for "the readout to follow the pointer into cell ($1, $2)" readout_moved
  readout_cell="$1,$2"
}
readout_moved() {
  local now
  now=$(readout)
  [ "$now" != "$readout_seen" ] && readout_seen=$now
}
# drag x0 y0 [x y ...]: press in the first cell, one move into each further cell, release in the last.
drag() {
  move_to "$1" "$2"
  shift 2
  xdotool mousedown 1
  while [ $# -gt 0 ]; do
    move_to "$1" "$2"
    shift 2
  done
  xdotool mouseup 1
}
