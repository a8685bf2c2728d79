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

# A mark on the root window outlives the last client's leaving. The server has seen xprop leave once it has
# closed xprop's connection (its sockets are back to what they were), and a server that resets does so then.
server_sockets() { find "/proc/$server/fd" -lname 'socket:*' 2>/dev/null | wc -l; }
sockets_are() { [ "$(server_sockets)" -eq "$1" ]; }
sockets=$(server_sockets)
xprop -root -f _GLYPHWERK_MARK 8s -set _GLYPHWERK_MARK kept
wait_for "the server to close xprop's connection" sockets_are "$sockets"
xprop -root _GLYPHWERK_MARK | grep -q kept || fail "the server reset when its last client left"

# The processes holding the named pipe $1 open for writing, as "pid (command)", one a line.
pipe_writers() {
  local link pid fd flags
  find /proc/[0-9]*/fd -lname "$1" 2>/dev/null | while read -r link; do
    pid=${link#/proc/} fd=${link##*/}
    pid=${pid%%/*}
    flags=$(awk '/^flags:/ {print $2}' "/proc/$pid/fdinfo/$fd" 2>/dev/null) || continue
    if [ -n "$flags" ] && (((8#$flags & 3) != 0)); then echo "$pid ($(tr '\0' ' ' <"/proc/$pid/cmdline"))"; fi
  done || true
}
# run_piped NAME COMMAND...: runs COMMAND, its output read through a named pipe into $work/NAME.out, and waits
# for it to end however long it takes (ctest's limit on the harness bounds that); sets `status` to its exit
# status and `holders` to the processes (pipe_writers) that still hold the pipe open after it ended.
run_piped() {
  local fifo="$work/$1.pipe" reader
  mkfifo "$fifo"
  cat "$fifo" >"$work/$1.out" &
  reader=$!
  children+=("$reader")
  shift
  "$@" >"$fifo" 2>&1 &
  children+=($!)
  status=0
  wait $! || status=$?
  holders=$(pipe_writers "$fifo")
  [ -n "$holders" ] || wait "$reader"
}

# A process left behind with a test's output is named, its command line with it.
run_piped leftover bash -c 'sleep 300 & exit 1'
grep -q "(sleep 300 )" <<<"$holders" || fail "the sleep left holding the pipe was not found: '$holders'"
for left in $(cut -d ' ' -f 1 <<<"$holders"); do end_process "$left"; done

# stand_in NAME SCRIPT TEST: runs the test TEST with an editor that is the shell script SCRIPT (and a shorter
# deadline for the states that the stand-in never shows); the test's output goes to $work/NAME.out.
stand_in() {
  printf '#!/bin/sh\n%s\n' "$2" >"$work/$1"
  chmod +x "$work/$1"
  run_piped "$1" env GLYPHWERK_X11_WAIT_LIMIT=20 bash "$here/$3.sh" "$work/$1"
  [ -z "$holders" ] || fail "$3 with $1: its output was held open after it ended by: $holders"
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
