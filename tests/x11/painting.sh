#!/usr/bin/env bash
# Paints as a user would on a fresh 32 x 32 true-colour image, with real mouse events (press, one move per
# cell, release, all at cell centres): pencil clicks and a drag, a straight line, a filled and a hollow
# rectangle, a flood fill inside the hollow one, Ctrl+Z and Ctrl+Y, and the eraser. After each step the
# magnified edit area is read off a screenshot and must show exactly the expected cells in the pen colour.
# Usage: painting.sh <path to glyphwerk>. It starts an X server of its own.
set -euo pipefail

exe=$(readlink -f "$1")
name=painting
source "$(dirname "$0")/editor.bash"
source "$(dirname "$0")/cells.bash"
# A fresh true-colour 32 x 32 image whatever an earlier run chose.
printf '[Others]\nIcon Type=True Color Icon\nIcon Size=32\n' >"$work/glyphwerk.ini"

start_editor
edit_area 255,255,255
echo "painting: edit area at ($ex, $ey)"

pencil() { tool 0 0; }
line() { tool 30 0; }
hollow_rect() { tool 90 0; }
filled_rect() { tool 180 0; }
flood_fill() { tool 240 0; }
eraser() { tool 30 29; }

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
key() { xdotool key --clearmodifiers "$1"; }

# check NAME CELLS...: the edit area comes to show exactly these cells ("x,y") in one pen colour, the rest white.
check() {
  local name=$1
  shift
  xdotool mousemove 5 5
  wait_for "the edit area to show the cells after $name" shows_cells "$@"
  echo "painting: $name: $# cells as expected"
}
shows_cells() {
  import -window root -crop "320x320+$ex+$ey" "$work/area.png"
  /usr/bin/python3 - "$work/area.png" "$@" <<'PY'
import sys
from PIL import Image
im = Image.open(sys.argv[1]).convert("RGB")
ex, ey = 0, 0
want = {tuple(map(int, c.split(","))) for c in sys.argv[2:]}
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

end_process "$pid"
pid=""
echo "painting: every step shows the expected cells"
