#!/usr/bin/env bash
# As a user would: start the editor with no settings file, choose Icon > New > 16 Color Icon > 48x48 from
# the keyboard, exit, and check the settings file beside the program; then start again and exit, and check
# that the editor came back with the same type and size (the file still holds them).
# Usage: settings_roundtrip.sh <path to glyphwerk>. It starts an X server of its own.
set -euo pipefail

exe=$(readlink -f "$1")
name=settings_roundtrip
source "$(dirname "$0")/editor.bash"
ini="$work/glyphwerk.ini"

value() { sed -n "s/^$1=//p" "$ini" | head -n 1; }

start_editor
# Icon > New > 16 Color Icon; its sizes run from 64x64 down, so two steps down is 48x48.
icon_menu n
wait_for "the New sub-menu to open" popups_are 2
xdotool key 1
wait_for "the 16 Color Icon sizes to open" popups_are 3
xdotool key Down Down Return
wait_for "the menus to close" popups_are 0
exit_editor

[ -f "$ini" ] || fail "no settings file beside the program"
[ "$(value 'Icon Type')" = "16 Color Icon" ] || fail "Icon Type is '$(value 'Icon Type')'"
[ "$(value 'Icon Size')" = "48" ] || fail "Icon Size is '$(value 'Icon Size')'"
[ "$(grep -c '^Color-' "$ini")" -eq 256 ] || fail "the palette section does not hold 256 keys"
[ "$(grep -m1 '^Color-' "$ini")" = "Color-0=0" ] || fail "the palette keys do not start at Color-0"

# A second run that changes nothing comes back with the same type and size, and leaves the file unwritten
# (a write would put a new file in its place).
before=$(grep -v '^Width=\|^Height=' "$ini")
written=$(stat -c '%i %Y' "$ini")
start_editor
exit_editor
after=$(grep -v '^Width=\|^Height=' "$ini")
[ "$before" = "$after" ] || fail "the second run did not come back with the same settings"
[ "$(stat -c '%i %Y' "$ini")" = "$written" ] || fail "the second run rewrote the settings file"
echo "settings_roundtrip: 16 Color Icon 48 x 48 remembered across two runs"
