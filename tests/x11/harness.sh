#!/usr/bin/env bash
# The X11 tests' harness (editor.bash) itself: its server does not reset when its last client leaves (a reset
# drops a client connecting meanwhile, and the editor aborts); a test that fails prints what the editor
# wrote, how it ended, the windows and a screenshot, and ends every process it started, so whatever reads
# its output sees the end of it. The failures are made with stand-ins for the editor.
# Usage: harness.sh <path to glyphwerk>. It starts X servers of its own.
set -euo pipefail

exe=$(readlink -f "$1")
name=harness
tools=xmessage
source "$(dirname "$0")/editor.bash"
here=$(cd "$(dirname "$0")" && pwd)

# A mark on the root window outlives the last client's leaving.
xprop -root -f _GLYPHWERK_MARK 8s -set _GLYPHWERK_MARK kept
sleep 0.5
xprop -root _GLYPHWERK_MARK | grep -q kept || fail "the server reset when its last client left"

# stand_in NAME SCRIPT TEST: runs the test TEST with an editor that is the shell script SCRIPT; the test's
# output (read through a pipe, which must close within 60 s) goes to $work/NAME.out.
stand_in() {
  printf '#!/bin/sh\n%s\n' "$2" >"$work/$1"
  chmod +x "$work/$1"
  local status=0
  timeout 60 bash -c 'set -o pipefail; bash "$1" "$2" | cat' _ "$here/$3.sh" "$work/$1" >"$work/$1.out" 2>&1 || status=$?
  [ "$status" -ne 124 ] || fail "$3 with $1: its output was held open after it ended"
  [ "$status" -eq 1 ] || fail "$3 with $1 ended with status $status, not 1: $(cat "$work/$1.out")"
  kept=$(sed -n "s/^$3: kept //p" "$work/$1.out")
  [ -d "$kept" ] || fail "$3 with $1 kept no folder: $(cat "$work/$1.out")"
  children+=($(pgrep -f "$kept" || true))  # for the trap to end, should any be left
  [ -z "$(pgrep -f "$kept" || true)" ] || fail "$3 with $1 left processes: $(pgrep -af "$kept")"
}
# expect NAME TEXT...: the output of the stand-in NAME holds each text.
expect() {
  local out=$1
  shift
  for text in "$@"; do
    grep -qF -- "$text" "$work/$out.out" || fail "$out: no '$text' in: $(cat "$work/$out.out")"
  done
  [ -s "$(sed -n 's/^screenshot: //p' "$work/$out.out")" ] || fail "$out: no screenshot"
}

# An editor that aborts at once.
stand_in aborts 'echo "stand-in: cannot go on"; kill -ABRT $$' smoke
expect aborts "smoke: the editor was killed by signal ABRT before showing its window" \
  "the editor was killed by signal ABRT" "stand-in: cannot go on" "windows on the screen:"
rm -rf "$kept"

# A window titled Glyphwerk that takes nothing from the clipboard: the clipboard test fails with xclip
# holding the clipboard.
stand_in window 'echo "stand-in: showing"; exec xmessage -title Glyphwerk -name Glyphwerk "stand-in"' clipboard
expect window "clipboard: no Information Dialog for a text-only clipboard" "is still running" \
  "stand-in: showing" '"Glyphwerk"'
rm -rf "$kept"
echo "harness: no reset; failures reported, with nothing left running"
