# Shared by the X11 tests of the clipboard and the snapshot (sourced, not a test itself): start the editor
# in a folder of its own, find windows by title, focus and close.
# Set `name` before sourcing; it prefixes every failure.

for tool in xwininfo xdotool xclip; do
  command -v "$tool" >/dev/null || { echo "$name: $tool is missing (scripts/install-deps.sh installs it)"; exit 1; }
done

work=$(mktemp -d)
pid=""
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$work"' EXIT
cp "$exe" "$work/glyphwerk"

fail() { echo "$name: $*"; [ -f "$work/log" ] && cat "$work/log"; exit 1; }

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

start_editor() {
  "$work/glyphwerk" >>"$work/log" 2>&1 &
  pid=$!
  win=$(wait_window "Glyphwerk") || fail "no window titled Glyphwerk"
  sleep 0.5
  focus "$win"
  wx=$(xwininfo -id "$win" | awk '/Absolute upper-left X/ {print $4}')
  wy=$(xwininfo -id "$win" | awk '/Absolute upper-left Y/ {print $4}')
}

# Icon > Exit ("&Icon" and "&Image" share their access key, so the menu is opened with the mouse). With
# $1 = "asks", the save question must come up (it is then left unanswered and the editor ended); otherwise
# the editor must end at once.
exit_editor() {
  focus "$win"
  xdotool mousemove $((wx + 15)) $((wy + 8)) click 1
  sleep 0.6
  xdotool key x
  if [ "${1:-}" = asks ]; then
    wait_window "Save Icon Dialog" >/dev/null || fail "no save question on leaving a changed image"
    kill "$pid"; wait "$pid" 2>/dev/null || true; pid=""
    return
  fi
  for _ in $(seq 1 200); do
    if ! kill -0 "$pid" 2>/dev/null; then
      set +e; wait "$pid"; status=$?; set -e
      pid=""
      [ "$status" -eq 0 ] || fail "the editor ended with status $status"
      return
    fi
    [ -n "$(window_titled "Save Icon Dialog")" ] && fail "the save question came up: the image was changed"
    sleep 0.1
  done
  fail "the editor did not end after Exit"
}
