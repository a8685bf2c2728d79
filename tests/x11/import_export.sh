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
  wait_for "the Icon menu to open" popups_are 1
  for _ in $(seq 1 "$1"); do xdotool key Down; done
  xdotool key Return
}

icon_menu_item 6
file_dialog "Open Icon" "$work/in.png"
window_shown Glyphwerk || fail "the editor's caption is gone after the import"

# The type list follows the name field: JPEG, GIF, PNG.
icon_menu_item 7
file_dialog "Save Icon" "$work/out" Tab Down Down shift+Tab
wait_for "Export to write out.png" test -s "$work/out.png"
/usr/bin/python3 - "$work/in.png" "$work/out.png" <<'PY' || fail "the exported pixels differ from the imported picture"
import sys
from PIL import Image
a, b = (Image.open(p) for p in sys.argv[1:3])
assert b.format == "PNG", b.format
assert a.size == b.size, (a.size, b.size)
assert list(a.convert("RGB").getdata()) == list(b.convert("RGB").getdata())
PY
echo "import_export: a 16 x 16 PNG imported and exported as PNG with the same pixels"
