#!/usr/bin/env bash
# Starts the editor on a real X server, checks that its main window "Glyphwerk" appears with a sensible size,
# then chooses Icon > Exit from the keyboard and checks that the editor ends at once with status 0 (an
# unmodified image asks no question).
# Usage: smoke.sh <path to glyphwerk>. Without a display it runs itself under xvfb-run.
set -euo pipefail

exe=$(readlink -f "$1")
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$exe"
fi
for tool in xwininfo xprop xdotool; do
  command -v "$tool" >/dev/null || { echo "smoke: $tool is missing (scripts/install-deps.sh installs it)"; exit 1; }
done

# Run a copy in a folder of its own, so that the settings file it keeps beside itself goes there.
work=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT
cp "$exe" "$work/glyphwerk"
"$work/glyphwerk" >"$work/log" 2>&1 &
pid=$!

# Wait for the main window.
win=""
for _ in $(seq 1 100); do
  win=$(xwininfo -root -tree 2>/dev/null | awk '/"Glyphwerk": \(/ {print $1; exit}')
  [ -n "$win" ] && break
  kill -0 "$pid" 2>/dev/null || { echo "smoke: the editor ended before showing its window"; cat "$work/log"; exit 1; }
  sleep 0.1
done
[ -n "$win" ] || { echo "smoke: no window titled Glyphwerk"; exit 1; }

title=$(xprop -id "$win" WM_NAME | sed -n 's/^WM_NAME([^)]*) = "\(.*\)"$/\1/p')
[ "$title" = "Glyphwerk" ] || { echo "smoke: window title is '$title'"; exit 1; }
width=$(xwininfo -id "$win" | awk '/Width:/ {print $2}')
height=$(xwininfo -id "$win" | awk '/Height:/ {print $2}')
echo "smoke: window $win \"$title\" ${width}x${height}"
if [ "$width" -lt 600 ] || [ "$height" -lt 450 ]; then echo "smoke: window too small"; exit 1; fi

# Icon > Exit through the access keys.
sleep 0.5
xdotool windowfocus --sync "$win" 2>/dev/null || xdotool windowfocus "$win"
xdotool key --clearmodifiers alt+i
sleep 0.3
xdotool key x

for _ in $(seq 1 200); do
  if ! kill -0 "$pid" 2>/dev/null; then
    set +e
    wait "$pid"
    status=$?
    set -e
    echo "smoke: the editor ended with status $status"
    [ "$status" -eq 0 ] || { cat "$work/log"; exit 1; }
    exit 0
  fi
  sleep 0.1
done
echo "smoke: the editor did not end after Exit"
exit 1
