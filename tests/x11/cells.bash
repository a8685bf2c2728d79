# Shared by the X11 tests that paint (sourced, not a test itself): edit-area cells at zoom 10, with `ex` and
# `ey` the screen position of the edit area's top-left pixel.

cell() { echo $((ex + $1 * 10 + 5)) $((ey + $2 * 10 + 5)); }
# drag x0 y0 [x y ...]: press in the first cell, one move into each further cell, release in the last.
drag() {
  local x=$1 y=$2
  shift 2
  xdotool mousemove $(cell "$x" "$y")
  sleep 0.05
  xdotool mousedown 1
  sleep 0.05
  while [ $# -gt 0 ]; do
    x=$1 y=$2
    shift 2
    xdotool mousemove $(cell "$x" "$y")
    sleep 0.05
  done
  xdotool mouseup 1
  sleep 0.2
}
