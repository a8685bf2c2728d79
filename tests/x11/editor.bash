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

for tool in Xvfb xauth mcookie xwininfo xdotool xclip import ${tools:-}; do
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

# wait_for STATE COMMAND...: runs COMMAND every tenth of a second until it succeeds; fails naming STATE (and
# showing what COMMAND last wrote) when it has not within $wait_limit seconds, a deadline for a state that
# never comes, not a pause. A COMMAND that sees the state can no longer come ends with `give_up` instead.
# Every wait of the X11 tests for something the editor does goes through it.
wait_limit=${GLYPHWERK_X11_WAIT_LIMIT:-60}
wait_for() {
  local state=$1 deadline=$((SECONDS + wait_limit)) status
  shift
  while :; do
    status=0
    "$@" >"$work/wait.out" 2>&1 || status=$?
    [ "$status" -eq 0 ] && return 0
    [ "$status" -eq 99 ] && fail "$gave_up"
    [ "$SECONDS" -lt "$deadline" ] || fail "waited $wait_limit s for $state: $(tail -c 2000 "$work/wait.out")"
    sleep 0.1
  done
}
give_up() { gave_up="$*"; return 99; }

# The ids of the mapped windows whose title is exactly $1, one a line.
windows_titled() {
  xwininfo -root -tree 2>/dev/null | awk -v t="\"$1\": (" 'index($0, t) {print $1}' | while read -r w; do
    xwininfo -id "$w" 2>/dev/null | grep -q 'Map State: IsViewable' && echo "$w"
  done
  return 0
}
window_titled() {
  local ids
  ids=$(windows_titled "$1")
  echo "${ids%%$'\n'*}"
}
window_shown() { [ -n "$(window_titled "$1")" ]; }
window_gone() { [ -z "$(window_titled "$1")" ]; }

# Waits for a mapped window titled $1 and prints its id; returns 1 when none comes.
wait_window() {
  local w deadline=$((SECONDS + wait_limit))
  until w=$(window_titled "$1") && [ -n "$w" ]; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.1
  done
  echo "$w"
}

# focus WINDOW: gives the window the keyboard focus and waits until the server has moved it there, so keys
# sent next reach it (the server sends each key to the window that has the focus at the time).
has_focus() {
  [ "$(xdotool getwindowfocus -f 2>/dev/null)" = "$(($1))" ] && return 0
  xdotool windowfocus "$1" 2>/dev/null  # asked again: a window that was just mapped may have refused
  return 1
}
focus() { wait_for "window $1 to have the keyboard focus" has_focus "$1"; }

# The number of menus (and other popups, such as a completion list) the editor shows: its popups are the
# mapped windows titled with the application's name.
popups() { windows_titled "Glyphwerk 3.0" | wc -l; }
popups_are() { [ "$(popups)" -eq "$1" ]; }

# Whether the editor shows a window titled $1; fails when the editor has ended.
shows_window() {
  window_shown "$1" && return 0
  kill -0 "$pid" 2>/dev/null && return 1
  editor_ended || true
  give_up "the editor $ended before showing its window"
}

# Notes that the editor ended, and how.
editor_ended() {
  local status=0
  wait "$pid" 2>/dev/null || status=$?
  ended=$(describe_end "$status")
  pid=""
  return "$status"
}

# start_editor [ARG...]: runs the editor and waits for its window, titled "Glyphwerk" or, with a
# file named, "Glyphwerk: NAME"; sets `win` and the window's screen position `wx` `wy`.
start_editor() {
  local title=Glyphwerk
  [ $# -gt 0 ] && title="Glyphwerk: $(basename "$1")"
  "$work/glyphwerk" "$@" >>"$work/log" 2>&1 &
  pid=$!
  wait_for "a window titled '$title'" shows_window "$title"
  win=$(window_titled "$title")
  focus "$win"
  wx=$(xwininfo -id "$win" | awk '/Absolute upper-left X/ {print $4}')
  wy=$(xwininfo -id "$win" | awk '/Absolute upper-left Y/ {print $4}')
}

# Waits for the editor to end, which it must do with status 0; with $1 = "unasked", fails when
# the save question comes up meanwhile.
wait_editor_end() {
  wait_for "the editor to end" ends_unasked "${1:-}"
  editor_ended || fail "the editor $ended"
}
ends_unasked() {
  [ "$1" != unasked ] || window_gone "Save Icon Dialog" || give_up "the save question came up: the image was changed"
  ! kill -0 "$pid" 2>/dev/null
}

# The Icon menu's item of access key $1 ("&Icon" and "&Image" share their access key, so the menu is opened
# with the mouse).
icon_menu() {
  focus "$win"
  xdotool mousemove $((wx + 15)) $((wy + 8)) click 1
  wait_for "the Icon menu to open" popups_are 1
  xdotool key "$1"
}

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

# file_dialog TITLE PATH [KEY...]: in the file dialog titled TITLE, whose name field has the focus when it
# opens, types PATH, sees it in the field (read back through the clipboard), presses the KEYs and accepts;
# returns once the dialog has closed. (The field's completion list, with no entry chosen, lets Return
# through to the dialog.)
file_dialog() {
  local title=$1 path=$2 dlg
  shift 2
  dlg=$(wait_window "$title") || fail "no dialog '$title'"
  focus "$dlg"
  xdotool key ctrl+a
  xdotool type --delay 20 "$path"
  xdotool key ctrl+a ctrl+c
  wait_for "the name field of '$title' to read $path" clipboard_reads "$path"
  [ $# -eq 0 ] || xdotool key "$@"
  xdotool key Return
  wait_for "the dialog '$title' to close" window_gone "$title"
}
clipboard_reads() {
  local text
  text=$(timeout 10 xclip -selection clipboard -o 2>/dev/null) || { echo "the clipboard gives nothing"; return 1; }
  [ "$text" = "$1" ] || { echo "it reads '$text'"; return 1; }
}

# clip_in FILE [TYPE]: xclip holds the file on the clipboard (in the foreground, so the trap ends it) until
# another program takes the clipboard; returns once the clipboard offers the type.
clip_in() {
  spawn xclip -quiet -selection clipboard -t "${2:-UTF8_STRING}" -i "$1"
  wait_for "xclip to offer ${2:-UTF8_STRING} on the clipboard" clip_offers "${2:-UTF8_STRING}"
}
clip_offers() { timeout 10 xclip -selection clipboard -t TARGETS -o | grep -qx "$1"; }

# The colour of the screen's pixel at ($1, $2), as "r,g,b".
screen_pixel() {
  import -window root -crop "1x1+$1+$2" -depth 8 txt:- | sed -n 's/^0,0: (\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1,\2,\3/p'
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
