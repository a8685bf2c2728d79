#!/usr/bin/env bash
# Paints as a user would on a fresh 32 x 32 true-colour image, with real mouse events (press, one move per
# cell, release, all at cell centres): pencil clicks and a drag, a straight line, a filled and a hollow
# rectangle, a flood fill inside the hollow one, Ctrl+Z and Ctrl+Y, and the eraser. After each step the
# magnified edit area is read off a screenshot and must show exactly the expected cells in the pen colour.
# Usage: painting.sh <path to glyphwerk>. Without a display it runs itself under xvfb-run.
set -euo pipefail

exe=$(readlink -f "$1")
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$exe"
fi
for tool in xwininfo xdotool import; do
  command -v "$tool" >/dev/null || { echo "painting: $tool is missing (scripts/install-deps.sh installs it)"; exit 1; }
done

work=$(mktemp -d)
pid=""
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$work"' EXIT
cp "$exe" "$work/glyphwerk"
# A fresh true-colour 32 x 32 image whatever an earlier run chose.
printf '[Others]\nIcon Type=True Color Icon\nIcon Size=32\n' >"$work/glyphwerk.ini"

fail() { echo "painting: $*"; cat "$work/log" 2>/dev/null; exit 1; }

"$work/glyphwerk" >"$work/log" 2>&1 &
pid=$!
win=""
for _ in $(seq 1 100); do
  win=$(xwininfo -root -tree 2>/dev/null | awk '/"Glyphwerk": \(/ {print $1; exit}')
  [ -n "$win" ] && break
  kill -0 "$pid" 2>/dev/null || fail "the editor ended before showing its window"
  sleep 0.1
done
[ -n "$win" ] || fail "no window titled Glyphwerk"
sleep 0.8
xdotool windowfocus --sync "$win" 2>/dev/null || xdotool windowfocus "$win"
xdotool mousemove 5 5  # off the window: no hover look on the edit area
sleep 0.3

# The edit area: the white 320 x 320 square of the blank image (10 screen pixels a cell).
shot() { import -window root "$work/shot.png"; }
shot
read -r ex ey < <(/usr/bin/python3 - "$work/shot.png" <<'PY'
import sys
from PIL import Image
im = Image.open(sys.argv[1]).convert("RGB")
w, h = im.size
px = im.load()
white = (255, 255, 255)
for y in range(h - 320):
    x = 0
    while x < w - 320:
        if px[x, y] == white and (x == 0 or px[x - 1, y] != white):
            run = 0
            while x + run < w and px[x + run, y] == white:
                run += 1
            if run == 320 and all(px[x, y + k] == white and px[x + 319, y + k] == white for k in range(320)) \
                    and (y == 0 or px[x + 5, y - 1] != white) and px[x + 5, y + 320] != white:
                print(x, y)
                sys.exit(0)
            x += max(run, 1)
        else:
            x += 1
sys.exit("no blank 320 x 320 edit area on the screen")
PY
) || fail "edit area not found"
echo "painting: edit area at ($ex, $ey)"

# Tool buttons, by their place on the tool bar relative to the edit area (the tool bar sits at (8, 8) of
# the window's client area, the edit area at (33, 132); buttons are 30 x 29).
tool() {
  local bx=$1 by=$2
  xdotool mousemove $((ex - 25 + bx + 15)) $((ey - 124 + by + 14)) click 1
  sleep 0.3
}
pencil() { tool 0 0; }
line() { tool 30 0; }
hollow_rect() { tool 90 0; }
filled_rect() { tool 180 0; }
flood_fill() { tool 240 0; }
eraser() { tool 30 29; }

source "$(dirname "$0")/cells.bash"
# A drag along a row or column, one move per cell.
straight() {
  local x0=$1 y0=$2 x1=$3 y1=$4 pts=() x y
  x=$x0 y=$y0
  while [ "$x" -ne "$x1" ] || [ "$y" -ne "$y1" ]; do
    [ "$x" -lt "$x1" ] && x=$((x + 1)); [ "$x" -gt "$x1" ] && x=$((x - 1))
    [ "$y" -lt "$y1" ] && y=$((y + 1)); [ "$y" -gt "$y1" ] && y=$((y - 1))
    pts+=("$x" "$y")
  done
  drag "$x0" "$y0" "${pts[@]}"
}
key() { xdotool key --clearmodifiers "$1"; sleep 0.3; }

# check NAME CELLS...: the edit area shows exactly these cells ("x,y") in one pen colour, the rest white.
check() {
  local name=$1
  shift
  xdotool mousemove 5 5
  sleep 0.3
  shot
  /usr/bin/python3 - "$work/shot.png" "$ex" "$ey" "$@" <<'PY' || fail "after $name"
import sys
from PIL import Image
im = Image.open(sys.argv[1]).convert("RGB")
ex, ey = int(sys.argv[2]), int(sys.argv[3])
want = {tuple(map(int, c.split(","))) for c in sys.argv[4:]}
px = im.load()
pen, bad = None, []
for cy in range(32):
    for cx in range(32):
        block = {px[ex + cx * 10 + i, ey + cy * 10 + j] for i in range(10) for j in range(10)}
        if len(block) != 1:
            bad.append(f"cell ({cx}, {cy}) is not one colour")
            continue
        c = block.pop()
        if (cx, cy) in want:
            pen = pen or c
            if c != pen or c == (255, 255, 255):
                bad.append(f"cell ({cx}, {cy}) is {c}, expected the pen colour")
        elif c != (255, 255, 255):
            bad.append(f"cell ({cx}, {cy}) is {c}, expected white")
if bad:
    sys.exit("\n".join(bad[:10]))
PY
  echo "painting: $name: $# cells as expected"
}

expected=()
add() { expected+=("$@"); }
box() {  # box x0 y0 x1 y1 filled|hollow: the cells of a rectangle, right and bottom excluded
  local x y
  for ((y = $2; y < $4; y++)); do
    for ((x = $1; x < $3; x++)); do
      if [ "$5" = filled ] || [ "$x" -eq "$1" ] || [ "$y" -eq "$2" ] || [ "$x" -eq $(($3 - 1)) ] || [ "$y" -eq $(($4 - 1)) ]; then
        add "$x,$y"
      fi
    done
  done
}

pencil
drag 1 1
drag 3 1
drag 5 1 5 2 5 3 6 3 7 3
add 1,1 3,1 5,1 5,2 5,3 6,3 7,3
check "pencil clicks and a drag" "${expected[@]}"

line
straight 2 20 10 20
for x in 2 3 4 5 6 7 8 9; do add "$x,20"; done  # the end cell is excluded
check "straight line" "${expected[@]}"

filled_rect
straight 12 2 18 6
box 12 2 18 6 filled
check "filled rectangle" "${expected[@]}"

hollow_rect
straight 20 10 28 18
box 20 10 28 18 hollow
check "hollow rectangle" "${expected[@]}"

flood_fill
drag 23 13
before_fill=("${expected[@]}")
box 21 11 27 17 filled
check "flood fill inside the hollow rectangle" "${expected[@]}"

key ctrl+z
check "Ctrl+Z" "${before_fill[@]}"
key ctrl+y
check "Ctrl+Y" "${expected[@]}"

eraser
straight 21 11 23 11
erased=()
for c in "${expected[@]}"; do
  case "$c" in 21,11|22,11|23,11) ;; *) erased+=("$c") ;; esac
done
check "eraser" "${erased[@]}"

kill "$pid" 2>/dev/null || true
wait "$pid" 2>/dev/null || true
pid=""
echo "painting: every step shows the expected cells"
