#!/usr/bin/env bash
# As a user would: start the editor with an icon named on the command line and check the caption names it;
# Icon > Save writes it back; Icon > Save As writes a copy through the dialog (a name typed without
# extension gets .ico); Icon > Open of a broken file shows the "Invalid Icon File" box and keeps the image;
# Icon > Exit ends at once, nothing being modified.
# Usage: open_save.sh <path to glyphwerk>. Without a display it runs itself under xvfb-run.
set -euo pipefail

exe=$(readlink -f "$1")
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$exe"
fi

work=$(mktemp -d)
pid=""
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$work"' EXIT
cp "$exe" "$work/glyphwerk"

fail() { echo "open_save: $*"; cat "$work/log" 2>/dev/null; exit 1; }

# A 32 x 32 true-colour icon, all opaque red, as another program would write it.
/usr/bin/python3 - "$work/red.ico" <<'EOF'
import struct, sys
xor = b"\x00\x00\xff" * 32 * 32
mask = b"\x00" * 4 * 32
header = struct.pack("<IiiHHIIiiII", 40, 32, 64, 1, 24, 0, 0, 0, 0, 0, 0)
entry = struct.pack("<BBBBHHII", 32, 32, 0, 0, 1, 24, 40 + len(xor) + len(mask), 22)
open(sys.argv[1], "wb").write(struct.pack("<HHH", 0, 1, 1) + entry + header + xor + mask)
EOF
printf 'not an icon at all' >"$work/broken.ico"
touch -d 2000-01-01 "$work/red.ico"

# The id of the first window whose title is exactly $1, waiting up to 10 s.
window() {
  local id=""
  for _ in $(seq 1 100); do
    id=$(xwininfo -root -tree 2>/dev/null | grep -F "\"$1\": (" | awk '{print $1; exit}')
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}
focus() { xdotool windowfocus --sync "$1" 2>/dev/null || xdotool windowfocus "$1"; sleep 0.3; }

"$work/glyphwerk" "$work/red.ico" >"$work/log" 2>&1 &
pid=$!
win=$(window "Glyphwerk: red.ico") || fail "no window titled 'Glyphwerk: red.ico'"
sleep 0.5
focus "$win"
wx=$(xwininfo -id "$win" | awk '/Absolute upper-left X/ {print $4}')
wy=$(xwininfo -id "$win" | awk '/Absolute upper-left Y/ {print $4}')
# "&Icon" and "&Image" share their access key, so the Icon menu is opened with the mouse.
icon_menu() { focus "$win"; xdotool mousemove $((wx + 15)) $((wy + 8)) click 1; sleep 0.6; xdotool key "$1"; }

# Icon > Save writes the file that was opened.
icon_menu s
written() { [ "$(stat -c %Y "$work/red.ico")" -gt 946771200 ]; }  # newer than 2000-01-02
for _ in $(seq 1 200); do written && break; sleep 0.1; done
written || fail "Save did not write red.ico"
icotool -l "$work/red.ico" | grep -q -- "--width=32 --height=32 --bit-depth=24" ||
  fail "red.ico as written is not a 32 x 32 24-bit icon: $(icotool -l "$work/red.ico" 2>&1)"

# Icon > Save As: a new name typed into the dialog.
icon_menu a
dlg=$(window "Save Icon") || fail "Save As showed no dialog"
focus "$dlg"
xdotool key ctrl+a
xdotool type --delay 20 "$work/copy"
sleep 0.3
xdotool key Return
window "Glyphwerk: copy.ico" >/dev/null || fail "the caption does not name copy.ico"
cmp -s "$work/red.ico" "$work/copy.ico" || fail "copy.ico differs from red.ico"

# Icon > Open of a broken file: the box, and the image and caption stay.
icon_menu o
dlg=$(window "Open Icon") || fail "Open showed no dialog"
focus "$dlg"
xdotool key ctrl+a
xdotool type --delay 20 "$work/broken.ico"
sleep 0.3
xdotool key Return
sleep 0.5
# A completion list may have taken the first Return.
xwininfo -root -tree | grep -qF '"Open Icon": (' && xdotool key Return
box=$(window "Invalid Icon File") || fail "no 'Invalid Icon File' box for broken.ico"
focus "$box"
xdotool key Return
window "Glyphwerk: copy.ico" >/dev/null || fail "the caption changed after the refused file"

icon_menu x
for _ in $(seq 1 200); do
  if ! kill -0 "$pid" 2>/dev/null; then
    set +e; wait "$pid"; status=$?; set -e
    pid=""
    [ "$status" -eq 0 ] || fail "the editor ended with status $status"
    echo "open_save: opened, saved, saved as and refused a broken file"
    exit 0
  fi
  sleep 0.1
done
fail "the editor did not end after Exit"
