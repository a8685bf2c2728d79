#!/usr/bin/env bash
# Space and Return with real key events: on a fresh window they open no dialog, and after two pencil dots
# they undo nothing (the dots stay on the edit area); leaving then asks the save question.
# Usage: keys.sh <path to glyphwerk>. It starts an X server of its own.
set -euo pipefail

exe=$(readlink -f "$1")
name=keys
source "$(dirname "$0")/editor.bash"
source "$(dirname "$0")/cells.bash"

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

# The edit area of the blank 32 x 32 image, 10 pixels a cell.
edit_area 255,255,255

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
