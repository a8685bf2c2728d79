#!/usr/bin/env bash
# As a user would: Icon > Import of a 16 x 16 PNG through the open dialog (its name typed), then Icon > Export
# with the PNG entry chosen in the save dialog's type list; the exported picture holds the imported
# picture's pixels.
# Usage: import_export.sh <path to glyphwerk>. Without a display it runs itself under xvfb-run.
set -euo pipefail

exe=$(readlink -f "$1")
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$exe"
fi

work=$(mktemp -d)
pid=""
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$work"' EXIT
cp "$exe" "$work/glyphwerk"

fail() { echo "import_export: $*"; cat "$work/log" 2>/dev/null; exit 1; }

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

"$work/glyphwerk" >>"$work/log" 2>&1 &
pid=$!
win=""
for _ in $(seq 1 100); do
  win=$(xwininfo -root -tree 2>/dev/null | awk '/"Glyphwerk": \(/ {print $1; exit}')
  [ -n "$win" ] && break
  kill -0 "$pid" 2>/dev/null || fail "the editor ended before showing its window"
  sleep 0.1
done
[ -n "$win" ] || fail "no window titled Glyphwerk"
sleep 0.5
xdotool windowfocus --sync "$win" 2>/dev/null || xdotool windowfocus "$win"
wx=$(xwininfo -id "$win" | awk '/Absolute upper-left X/ {print $4}')
wy=$(xwininfo -id "$win" | awk '/Absolute upper-left Y/ {print $4}')

# Icon menu items: New image, New, Open, Save, Save As, Import, Export, Exit.
icon_menu_item() {
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
