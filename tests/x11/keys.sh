#!/usr/bin/env bash
# Space and Return with real key events: on a fresh window they open no dialog, and after two pencil dots
# they undo nothing (the dots stay on the edit area); leaving then asks the save question.
# Usage: keys.sh <path to glyphwerk>. It starts an X server of its own.
set -euo pipefail

exe=$(readlink -f "$1")
name=keys
source "$(dirname "$0")/editor.bash"
source "$(dirname "$0")/cells.bash"

# Presses the keys and fails when a dialog opens. A move over the edit area sent after them comes to the
# readout only once the editor has handled the keys, and not at all while a dialog of theirs holds it.
keys_open_nothing() {
  focus "$win"
  xdotool key space Return space
  if [ "$readout_cell" = 30,30 ]; then move_to 31 30; else move_to 30 30; fi
  for title in "Open Icon" "Save Icon" "Save Icon Dialog"; do
    window_gone "$title" || fail "$* opened \"$title\""
  done
}
# The pencil dots are black on the screen.
dots_shown() {
  for d in "${dots[@]}"; do
    [ "$(screen_pixel $(cell $d))" = "0,0,0" ] || { echo "the dot in cell $d is missing"; return 1; }
  done
}

start_editor
# The edit area of the blank 32 x 32 image, 10 pixels a cell.
edit_area 255,255,255
keys_open_nothing "Space or Return on a fresh window"

# Two pencil dots: cells (1, 1) and (4, 1).
dots=("1 1" "4 1")
for d in "${dots[@]}"; do
  move_to $d
  xdotool click 1
done
xdotool mousemove 5 5
wait_for "the pencil dots on the screen" dots_shown

keys_open_nothing "Space or Return after two edits"
dots_shown || fail "Space or Return undid a dot"
exit_editor asks
echo "keys: Space and Return pressed nothing"
