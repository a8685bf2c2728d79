#!/usr/bin/env bash
# As a user would: start the editor with no settings file, choose Icon > New > 16 Color Icon > 48x48 from
# the keyboard, exit, and check the settings file beside the program; then start again and exit, and check
# that the editor came back with the same type and size (the file still holds them).
# Usage: settings_roundtrip.sh <path to glyphwerk>. Without a display it runs itself under xvfb-run.
set -euo pipefail

exe=$(readlink -f "$1")
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$exe"
fi

work=$(mktemp -d)
pid=""
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$work"' EXIT
cp "$exe" "$work/glyphwerk"
ini="$work/glyphwerk.ini"

fail() { echo "settings_roundtrip: $*"; [ -f "$ini" ] && cat "$ini"; exit 1; }

start() {
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
}

# "&Icon" and "&Image" share their access key, so the Icon menu is opened with the mouse.
open_icon_menu() {
  xdotool mousemove $((wx + 15)) $((wy + 8)) click 1
  sleep 0.6
}

menu_exit() {
  open_icon_menu
  xdotool key x
  for _ in $(seq 1 200); do
    if ! kill -0 "$pid" 2>/dev/null; then
      set +e; wait "$pid"; status=$?; set -e
      pid=""
      [ "$status" -eq 0 ] || fail "the editor ended with status $status"
      return
    fi
    sleep 0.1
  done
  fail "the editor did not end after Exit"
}

value() { sed -n "s/^$1=//p" "$ini" | head -n 1; }

start
# Icon > New > 16 Color Icon; its sizes run from 64x64 down, so two steps down is 48x48.
open_icon_menu
xdotool key n; sleep 0.3
xdotool key 1; sleep 0.3
xdotool key Down Down Return; sleep 0.5
menu_exit

[ -f "$ini" ] || fail "no settings file beside the program"
[ "$(value 'Icon Type')" = "16 Color Icon" ] || fail "Icon Type is '$(value 'Icon Type')'"
[ "$(value 'Icon Size')" = "48" ] || fail "Icon Size is '$(value 'Icon Size')'"
[ "$(grep -c '^Color-' "$ini")" -eq 256 ] || fail "the palette section does not hold 256 keys"
[ "$(grep -m1 '^Color-' "$ini")" = "Color-0=0" ] || fail "the palette keys do not start at Color-0"

# A second run that changes nothing comes back with the same type and size, and leaves the file unwritten
# (a write would put a new file in its place).
before=$(grep -v '^Width=\|^Height=' "$ini")
written=$(stat -c '%i %Y' "$ini")
start
menu_exit
after=$(grep -v '^Width=\|^Height=' "$ini")
[ "$before" = "$after" ] || fail "the second run did not come back with the same settings"
[ "$(stat -c '%i %Y' "$ini")" = "$written" ] || fail "the second run rewrote the settings file"
echo "settings_roundtrip: 16 Color Icon 48 x 48 remembered across two runs"
