# Shared by the X11 tests that paint (sourced after editor.bash, not a test itself): the edit area found on a
# screenshot, its cells at zoom 10, tool buttons by their place, and drags from cell to cell.

# A screenshot of the whole screen in $work/shot.png.
shot() { import -window root "$work/shot.png"; }

# edit_area R,G,B: finds the edit area of a 32 x 32 image all in that colour (a 320 x 320 square of it, set off
# from what is around it) on a screenshot taken with the pointer off the window, and sets `ex` `ey`, the screen
# position of its top-left pixel.
edit_area() {
  xdotool mousemove 5 5  # off the window: no hover look on the edit area
  sleep 0.3
  shot
  read -r ex ey < <(/usr/bin/python3 - "$work/shot.png" "$1" <<'PY'
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
sys.exit(f"no 320 x 320 edit area of colour {c} on the screen")
PY
) || fail "edit area not found"
}

# tool BX BY: clicks the tool button at (BX, BY) of the tool bar (the tool bar sits at (8, 8) of the window's
# client area, the edit area at (33, 132); buttons are 30 x 29).
tool() {
  xdotool mousemove $((ex - 25 + $1 + 15)) $((ey - 124 + $2 + 14)) click 1
  sleep 0.3
}

cell() { echo $((ex + $1 * 10 + 5)) $((ey + $2 * 10 + 5)); }
# drag x0 y0 [x y ...]: press in the first cell, one move into each further cell, release in the last.
drag() {
  local x=$1 y=$2
  shift 2
  xdotool mousemove $(cell "$x" "$y")
  sleep 0.05
  xdotool mousedown 1
  sleep 0.05
  while [ $# -gt 0 ]; do
    x=$1 y=$2
    shift 2
    xdotool mousemove $(cell "$x" "$y")
    sleep 0.05
  done
  xdotool mouseup 1
  sleep 0.2
}
