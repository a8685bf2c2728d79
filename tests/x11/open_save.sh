#!/usr/bin/env bash
# As a user would: start the editor with an icon named on the command line and check the caption names it;
# Icon > Save writes it back; Icon > Save As writes a copy through the dialog (a name typed without
# extension gets .ico); Icon > Open of a broken file shows the "Invalid Icon File" box and keeps the image;
# Icon > Exit ends at once, nothing being modified.
# Usage: open_save.sh <path to glyphwerk>. It starts an X server of its own.
set -euo pipefail

exe=$(readlink -f "$1")
name=open_save
tools=icotool
source "$(dirname "$0")/editor.bash"

red_icon "$work/red.ico"  # all opaque red, as another program would write it
printf 'not an icon at all' >"$work/broken.ico"
touch -d 2000-01-01 "$work/red.ico"

start_editor "$work/red.ico"

# Icon > Save writes the file that was opened.
icon_menu s
written() { [ "$(stat -c %Y "$work/red.ico")" -gt 946771200 ]; }  # newer than 2000-01-02
wait_for "Save to write red.ico" written
icotool -l "$work/red.ico" | grep -q -- "--width=32 --height=32 --bit-depth=24" ||
  fail "red.ico as written is not a 32 x 32 24-bit icon: $(icotool -l "$work/red.ico" 2>&1)"

# Icon > Save As: a new name typed into the dialog.
icon_menu a
file_dialog "Save Icon" "$work/copy"
wait_window "Glyphwerk: copy.ico" >/dev/null || fail "the caption does not name copy.ico"
cmp -s "$work/red.ico" "$work/copy.ico" || fail "copy.ico differs from red.ico"

# Icon > Open of a broken file: the box, and the image and caption stay.
icon_menu o
file_dialog "Open Icon" "$work/broken.ico"
box=$(wait_window "Invalid Icon File") || fail "no 'Invalid Icon File' box for broken.ico"
focus "$box"
xdotool key Return
wait_for "the 'Invalid Icon File' box to close" window_gone "Invalid Icon File"
window_shown "Glyphwerk: copy.ico" || fail "the caption changed after the refused file"

exit_editor
echo "open_save: opened, saved, saved as and refused a broken file"
