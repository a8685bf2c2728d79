#!/usr/bin/env bash
# As a user would: Icon > Import of a 16 x 16 PNG through the open dialog (its name typed), then Icon > Export
# with the PNG entry chosen in the save dialog's type list; the exported picture holds the imported
# picture's pixels.
# Usage: import_export.sh <path to glyphwerk>. It starts an X server of its own.
set -euo pipefail

exe=$(readlink -f "$1")
name=import_export
source "$(dirname "$0")/editor.bash"

# The picture: 16 x 16, every pixel its own colour.
/usr/bin/python3 - "$work/in.png" <<'PY'
import sys
from PIL import Image
im = Image.new("RGB", (16, 16))
for y in range(16):
    for x in range(16):
        im.putpixel((x, y), (x * 16, y * 16, (x * y) % 256))
im.save(sys.argv[1])
PY

start_editor

# Icon menu items: New image, New, Open, Save, Save As, Import, Export, Exit.
icon_menu_item() {
  focus "$win"
  xdotool mousemove $((wx + 15)) $((wy + 8)) click 1
  sleep 0.6
  for _ in $(seq 1 "$1"); do xdotool key Down; done
  xdotool key Return
}

wait_dialog() {
  for _ in $(seq 1 200); do
    dlg=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1 || true)
    [ -n "$dlg" ] && return 0
    sleep 0.1
  done
  fail "no dialog titled $1"
}

icon_menu_item 6
wait_dialog "Open Icon"
sleep 0.5
xdotool type --delay 20 "$work/in.png"
xdotool key Return
sleep 1

icon_menu_item 7
wait_dialog "Save Icon"
sleep 0.5
xdotool type --delay 20 "$work/out"
# The type list follows the name field: JPEG, GIF, PNG.
xdotool key Tab Down Down
sleep 0.3
xdotool key shift+Tab Return
sleep 1

for _ in $(seq 1 30); do [ -f "$work/out.png" ] && break; sleep 0.1; done
[ -f "$work/out.png" ] || { ls -la "$work"; fail "no out.png written"; }
/usr/bin/python3 - "$work/in.png" "$work/out.png" <<'PY' || fail "the exported pixels differ from the imported picture"
import sys
from PIL import Image
a, b = (Image.open(p) for p in sys.argv[1:3])
assert b.format == "PNG", b.format
assert a.size == b.size, (a.size, b.size)
assert list(a.convert("RGB").getdata()) == list(b.convert("RGB").getdata())
PY
echo "import_export: a 16 x 16 PNG imported and exported as PNG with the same pixels"
