#!/usr/bin/env bash
# Starts the editor on a real X server, checks that its main window "Glyphwerk" appears with a sensible size,
# then chooses Icon > Exit from the keyboard and checks that the editor ends at once with status 0 (an
# unmodified image asks no question).
# Usage: smoke.sh <path to glyphwerk>. It starts an X server of its own.
set -euo pipefail

exe=$(readlink -f "$1")
name=smoke
tools=xprop
source "$(dirname "$0")/editor.bash"

start_editor
title=$(xprop -id "$win" WM_NAME | sed -n 's/^WM_NAME([^)]*) = "\(.*\)"$/\1/p')
[ "$title" = "Glyphwerk" ] || fail "window title is '$title'"
width=$(xwininfo -id "$win" | awk '/Width:/ {print $2}')
height=$(xwininfo -id "$win" | awk '/Height:/ {print $2}')
echo "smoke: window $win \"$title\" ${width}x${height}"
{ [ "$width" -ge 600 ] && [ "$height" -ge 450 ]; } || fail "window too small"

# Icon > Exit through the access keys.
xdotool key --clearmodifiers alt+i
wait_for "the Icon menu to open" popups_are 1
xdotool key x
wait_editor_end
echo "smoke: the editor $ended"
