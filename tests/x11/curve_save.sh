#!/usr/bin/env bash
# As a user would, on an opened icon that is all opaque red: a curve is drawn with real mouse events and the
# icon saved while the curve is still being edited (after its line, after its bend) through Icon > Save, and
# once more through the close question's Save. The saved files must hold the picture alone (no inverted
# pixels, no transparent holes where the figure crossed), the figure must stay on screen, and the curve must
# still be finished afterwards, landing in the file in the pen colour.
# Usage: curve_save.sh <path to glyphwerk>. It starts an X server of its own.
set -euo pipefail

exe=$(readlink -f "$1")
name=curve_save
source "$(dirname "$0")/editor.bash"
source "$(dirname "$0")/cells.bash"

red_icon "$work/red.ico"  # all opaque red, as another program would write it

start_editor "$work/red.ico"
edit_area 255,0,0  # the opened icon's red
tool 60 29  # Curves: the third of the tool bar's second row

# Icon > Save, waiting until red.ico has been written again.
written() { [ "$(stat -c %Y "$work/red.ico")" -gt 946771200 ]; }  # newer than 2000-01-02
save() {
  touch -d 2000-01-01 "$work/red.ico"
  icon_menu s
  wait_for "Save to write red.ico $1" written
}
# The saved icon: "red" = every pixel opaque red; "curve" = every pixel opaque, red or one pen colour, with at
# least 20 pixels in the pen colour.
check_file() {
  /usr/bin/python3 - "$work/red.ico" "$1" <<'PY' || fail "the file saved $2"
import sys
from PIL import Image
px = Image.open(sys.argv[1]).convert("RGBA").load()
counts = {}
for y in range(32):
    for x in range(32):
        counts[px[x, y]] = counts.get(px[x, y], 0) + 1
red = (255, 0, 0, 255)
other = {c: n for c, n in counts.items() if c != red}
if sys.argv[2] == "red" and other:
    sys.exit(f"holds {sum(other.values())} pixels that are not opaque red: {other}")
if sys.argv[2] == "curve":
    if len(other) != 1 or list(other)[0][3] != 255 or list(other.values())[0] < 20:
        sys.exit(f"holds {other} besides red: expected one opaque pen colour")
PY
}
# The edit area shows the figure: cell ($1, $2) is not red on the screen.
check_figure_shown() {
  xdotool mousemove 5 5
  wait_for "the figure on the screen $3" not_red $(cell "$1" "$2")
}
not_red() { [ "$(screen_pixel "$1" "$2")" != 255,0,0 ]; }

drag 2 20 10 20 20 20 28 20  # the line
check_figure_shown 10 20 "after the line"
save "after the line"
check_file red "with the line being edited"
check_figure_shown 10 20 "after the save"

drag 14 10 15 4  # the bend
save "after the bend"
check_file red "with the bent curve being edited"

drag 15 4 6 30  # the first control point: the curve is drawn in the pen colour
save "after the curve"
check_file curve "after the curve was finished"
cp "$work/red.ico" "$work/finished.ico"

# A new line left being edited, then Icon > Exit: the close question's Save writes the picture alone.
drag 3 2 28 2
touch -d 2000-01-01 "$work/red.ico"
icon_menu x
question=$(wait_window "Save Icon Dialog") || fail "no save question on leaving a changed image"
focus "$question"
xdotool key Return
wait_editor_end
written || fail "the close question's Save did not write red.ico"
check_file curve "by the close question"
cmp -s "$work/red.ico" "$work/finished.ico" || fail "the close question's Save wrote more than the finished curve"

echo "$name: saved files hold the picture without the curve being edited"
