# The harness of the X11 tests (sourced, not a test itself). Set `name` (it prefixes every message) and `exe`
# (the editor) before sourcing, and `tools` to the further commands the test needs.
#
# Each test runs on an X server of its own: Xvfb on the first free display (-displayfd), with a cookie of its
# own, started with -noreset. A server that resets when its last client leaves drops a client that connects
# meanwhile, and Qt's xcb plugin aborts on that ("could not connect to display"): a test starting the editor
# right after another client (xwininfo, xdotool, an editor that just ended) closed saw the editor abort.
# The editor runs from a copy in a folder of its own, so the settings file it keeps beside itself goes there.
#
# Whatever way the test ends, its trap ends every process it started: the editor, those started by `spawn`,
# then the server. When the test fails, the trap first prints the editor's output, how the editor ended, the
# windows on the screen and the path of a screenshot, and keeps the folder (without the editor's copy).

for tool in Xvfb xauth mcookie xwininfo xdotool import ${tools:-}; do
  command -v "$tool" >/dev/null || { echo "$name: $tool is missing (scripts/install-deps.sh installs it)"; exit 1; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/glyphwerk-x11-$name.XXXXXX")
pid=""          # the running editor
ended=""        # how the last editor ended, as `describe_end` puts it
children=()     # further processes the test started
server=""

describe_end() {
  if [ "$1" -gt 128 ]; then echo "was killed by signal $(kill -l "$1" 2>/dev/null || echo $(($1 - 128)))"
  else echo "ended with status $1"; fi
}

# Ends process $1 (TERM, then KILL after 3 s) and waits for it.
end_process() {
  kill "$1" 2>/dev/null || true
  for _ in $(seq 1 30); do kill -0 "$1" 2>/dev/null || break; sleep 0.1; done
  kill -KILL "$1" 2>/dev/null || true
  wait "$1" 2>/dev/null || true
}

report() {
  echo "---- $name failed; what the failure leaves:"
  if [ -n "$pid" ]; then echo "the editor (pid $pid) is still running"
  elif [ -n "$ended" ]; then echo "the editor $ended"
  else echo "no editor was running"; fi
  if [ -n "$server" ] && kill -0 "$server" 2>/dev/null; then
    import -window root "$work/failure.png" 2>/dev/null && echo "screenshot: $work/failure.png"
    echo "windows on the screen:"
    xwininfo -root -tree 2>/dev/null | grep -E '^ +0x[0-9a-f]+ "' | sed 's/^ */  /' || echo "  (none)"
  else
    echo "the X server is not running:"
    cat "$work/xvfb.log" 2>/dev/null || true
  fi
  echo "the editor's output:"
  cat "$work/log" 2>/dev/null || true
  echo "----"
}

finish() {
  local status=$?
  trap - EXIT
  trap '' PIPE  # a reader that went away must not stop the ending of the processes
  set +e
  [ "$status" -ne 0 ] && report
  [ -n "$pid" ] && end_process "$pid"
  for child in "${children[@]}"; do end_process "$child"; done
  [ -n "$server" ] && end_process "$server"
  if [ "$status" -eq 0 ]; then rm -rf "$work"; else rm -f "$work/glyphwerk"; echo "$name: kept $work"; fi
  exit "$status"
}
trap finish EXIT
trap 'exit 129' HUP
trap 'exit 130' INT
trap 'exit 143' TERM
trap 'exit 141' PIPE

fail() { echo "$name: $*"; exit 1; }

# Runs "$@" in the background, its output in $work/spawned.log, to be ended by the trap.
spawn() {
  "$@" >>"$work/spawned.log" 2>&1 &
  children+=($!)
}

# The server, and the cookie that lets this test's clients (and only them) in.
export XAUTHORITY="$work/Xauthority"
cookie=$(mcookie)
touch "$XAUTHORITY"
xauth -q add :0 . "$cookie"   # the server reads every cookie of the file, whatever display it names
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset -auth "$XAUTHORITY" \
  3>"$work/display" >"$work/xvfb.log" 2>&1 &
server=$!
for _ in $(seq 1 300); do
  [ -s "$work/display" ] && break
  kill -0 "$server" 2>/dev/null || fail "Xvfb did not start"
  sleep 0.1
done
[ -s "$work/display" ] || fail "Xvfb did not report its display within 30 s"
export DISPLAY=":$(head -n 1 "$work/display")"
xauth -q add "$DISPLAY" . "$cookie"
cp "$exe" "$work/glyphwerk"

# The id of the first window whose title is exactly $1, or nothing.
window_titled() { xwininfo -root -tree 2>/dev/null | awk -v t="\"$1\": (" 'index($0, t) {print $1; exit}'; }

# Waits up to $2 seconds (20 unless given) for a window titled $1 and prints its id.
wait_window() {
  local w=""
  for _ in $(seq 1 $((${2:-20} * 10))); do
    w=$(window_titled "$1")
    [ -n "$w" ] && { echo "$w"; return 0; }
    sleep 0.1
  done
  return 1
}

focus() { xdotool windowfocus --sync "$1" 2>/dev/null || xdotool windowfocus "$1"; sleep 0.2; }

# Notes that the editor ended, and how.
editor_ended() {
  local status=0
  wait "$pid" 2>/dev/null || status=$?
  ended=$(describe_end "$status")
  pid=""
  return "$status"
}

# start_editor [ARG...]: runs the editor and waits up to 20 s for its window, titled "Glyphwerk" or, with a
# file named, "Glyphwerk: NAME"; sets `win` and the window's screen position `wx` `wy`.
start_editor() {
  local title=Glyphwerk
  [ $# -gt 0 ] && title="Glyphwerk: $(basename "$1")"
  "$work/glyphwerk" "$@" >>"$work/log" 2>&1 &
  pid=$!
  win=""
  for _ in $(seq 1 200); do
    win=$(window_titled "$title")
    [ -n "$win" ] && break
    if ! kill -0 "$pid" 2>/dev/null; then
      editor_ended || true
      fail "the editor $ended before showing its window"
    fi
    sleep 0.1
  done
  [ -n "$win" ] || fail "no window titled '$title'"
  sleep 0.5
  focus "$win"
  wx=$(xwininfo -id "$win" | awk '/Absolute upper-left X/ {print $4}')
  wy=$(xwininfo -id "$win" | awk '/Absolute upper-left Y/ {print $4}')
}

# Waits up to 20 s for the editor to end, which it must do with status 0; with $1 = "unasked", fails when
# the save question comes up meanwhile.
wait_editor_end() {
  for _ in $(seq 1 200); do
    if ! kill -0 "$pid" 2>/dev/null; then
      editor_ended || fail "the editor $ended"
      return
    fi
    if [ "${1:-}" = unasked ] && [ -n "$(window_titled "Save Icon Dialog")" ]; then
      fail "the save question came up: the image was changed"
    fi
    sleep 0.1
  done
  fail "the editor did not end"
}

# The Icon menu's item of access key $1 ("&Icon" and "&Image" share their access key, so the menu is opened
# with the mouse).
icon_menu() { focus "$win"; xdotool mousemove $((wx + 15)) $((wy + 8)) click 1; sleep 0.6; xdotool key "$1"; }

# Icon > Exit. With $1 = "asks", the save question must come up (it is then left unanswered and the editor
# ended); otherwise the editor must end at once.
exit_editor() {
  icon_menu x
  if [ "${1:-}" = asks ]; then
    wait_window "Save Icon Dialog" >/dev/null || fail "no save question on leaving a changed image"
    end_process "$pid"
    pid=""
    return
  fi
  wait_editor_end unasked
}

# Writes a 32 x 32 true-colour icon, all opaque red, as another program would write it, to $1.
red_icon() {
  /usr/bin/python3 - "$1" <<'PY'
import struct, sys
xor = b"\x00\x00\xff" * 32 * 32
mask = b"\x00" * 4 * 32
header = struct.pack("<IiiHHIIiiII", 40, 32, 64, 1, 24, 0, 0, 0, 0, 0, 0)
entry = struct.pack("<BBBBHHII", 32, 32, 0, 0, 1, 24, 40 + len(xor) + len(mask), 22)
open(sys.argv[1], "wb").write(struct.pack("<HHH", 0, 1, 1) + entry + header + xor + mask)
PY
}
