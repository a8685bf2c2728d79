#!/usr/bin/env bash
# Space and Return with real key events: on a fresh window they open no dialog, and after two pencil dots
# they undo nothing (the dots stay on the edit area); leaving then asks the save question.
# Usage: keys.sh <path to glyphwerk>. Without a display it runs itself under xvfb-run.
set -euo pipefail

exe=$(readlink -f "$1")
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$exe"
fi
name=keys
source "$(dirname "$0")/editor.bash"
command -v import >/dev/null || fail "import is missing (scripts/install-deps.sh installs it)"

# The colour of one screen pixel, as "r,g,b".
pixel() { import -window root -crop "1x1+$1+$2" -depth 8 txt:- | sed -n 's/^0,0: (\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1,\2,\3/p'; }

# Presses the keys and fails when a dialog opens.
keys_open_nothing() {
  focus "$win"
  xdotool key space Return space
  for title in "Open Icon" "Save Icon" "Save Icon Dialog"; do
    ! wait_window "$title" 1 >/dev/null || fail "$* opened \"$title\""
  done
}

start_editor
keys_open_nothing "Space or Return on a fresh window"

# The edit area: the white 320 x 320 square of the blank 32 x 32 image, 10 pixels a cell.
import -window root "$work/shot.png"
read -r ex ey < <(/usr/bin/python3 - "$work/shot.png" <<'PY'
import sys
from PIL import Image
im = Image.open(sys.argv[1]).convert("RGB")
px, (w, h), white = im.load(), im.size, (255, 255, 255)
for y in range(1, h - 320):
    for x in range(1, w - 320):
        if px[x, y] == white and px[x - 1, y] != white and px[x, y - 1] != white and px[x + 319, y] == white \
                and px[x, y + 319] == white and px[x + 319, y + 319] == white and px[x + 320, y] != white:
            print(x, y)
            sys.exit(0)
sys.exit("no blank 320 x 320 edit area on the screen")
PY
) || fail "edit area not found"

# Two pencil dots: cells (1, 1) and (4, 1).
dots=("$((ex + 15)) $((ey + 15))" "$((ex + 45)) $((ey + 15))")
for d in "${dots[@]}"; do
  read -r x y <<<"$d"
  xdotool mousemove "$x" "$y" click 1
  sleep 0.3
done
xdotool mousemove 5 5
sleep 0.3
for d in "${dots[@]}"; do
  read -r x y <<<"$d"
  [ "$(pixel "$x" "$y")" = "0,0,0" ] || fail "the pencil dot at $x,$y is missing"
done

keys_open_nothing "Space or Return after two edits"
sleep 0.3
for d in "${dots[@]}"; do
  read -r x y <<<"$d"
  [ "$(pixel "$x" "$y")" = "0,0,0" ] || fail "Space or Return undid the dot at $x,$y"
done
exit_editor asks
echo "keys: Space and Return pressed nothing"
