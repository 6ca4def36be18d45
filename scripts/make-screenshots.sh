#!/usr/bin/env bash
# Regenerates the README's screenshots: runs winqen on a private X server, opens an
# example design through the File menu, and captures the main window, the analysis
# window (showing dB over log frequency), and that graph zoomed into the passband with
# its peak and -3 dB points marked and the design before a pole was moved held as a
# reference. Usage: scripts/make-screenshots.sh [path/to/winqen]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/ensure-deps.sh

winqen=${1:-build/release/ui/winqen}
if [ ! -x "$winqen" ]; then
  cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DWINQEN_BUILD_TESTS=OFF
  cmake --build build/release --target winqen
fi
winqen=$(realpath "$winqen")
design=$(realpath examples/elliptic-bandpass.pzd)
out=$(realpath docs)/screenshots
mkdir -p "$out"

if [ -z "${WINQEN_SCREENSHOT_INNER:-}" ]; then
  export WINQEN_SCREENSHOT_INNER=1
  exec xvfb-run -a -s "-screen 0 1024x768x24 -wr" "$0" "$winqen"
fi

work=$(mktemp -d)
trap 'kill "$app" 2>/dev/null || true; rm -rf "$work"' EXIT
cd "$work"
"$winqen" 2>/dev/null &
app=$!

wait_for() { xdotool search --sync --onlyvisible --name "$1" | head -n 1; }
main=$(wait_for '^WinQEN Untitled$')
sleep 1
xdotool mousemove 512 384 click --repeat 2 --delay 80 1 # closes the start-up picture
sleep 0.5

xdotool windowfocus --sync "$main" key --clearmodifiers ctrl+o
sleep 1
xdotool type --delay 20 "$design"
xdotool key Return
xdotool search --sync --onlyvisible --name '^WinQEN  .*elliptic-bandpass.pzd$' >/dev/null
sleep 1
import -window "$main" "$out/main-window.png"

xdotool windowfocus --sync "$main" key --clearmodifiers ctrl+g
graph=$(wait_for '^WinQEN Graph')
sleep 1
# Graph Options > Scale > Log Log: dB over a log frequency axis.
xdotool windowfocus --sync "$graph" key --clearmodifiers alt+o
sleep 0.5
xdotool key Right
sleep 0.3
xdotool key Down Return
sleep 1
import -window "$graph" "$out/analysis-window.png"

# Graph Options > Hold Reference; then the first pole moves left a little.
xdotool windowfocus --sync "$graph" key --clearmodifiers alt+o h
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$main")"
# The first line of the pole list, right of the plane (the menu bar and the list's
# caption above it).
xdotool mousemove $((X + WIDTH - 60)) $((Y + 52)) click 1
sleep 0.5
xdotool windowfocus --sync "$main" key --clearmodifiers Left Left Left Left Left
sleep 1
# Find Peak, Find -3 dB, and the axis limits typed: 800 ... 2600 Hz, -4 ... 1 dB.
xdotool windowfocus --sync "$graph" key --clearmodifiers alt+o p
sleep 0.3
xdotool key --clearmodifiers alt+o 3
sleep 0.3
xdotool key --clearmodifiers alt+o a
sleep 1
for value in 800 2600 -4 1; do
  xdotool key --clearmodifiers ctrl+a
  xdotool type -- "$value"
  xdotool key Tab
done
xdotool key Return
sleep 1
eval "$(xdotool getwindowgeometry --shell "$graph")"
xdotool mousemove $((X + WIDTH * 45 / 100)) $((Y + HEIGHT / 4)) click 1
sleep 1
import -window "$graph" "$out/zoomed-graph.png"
echo "wrote $out/main-window.png, $out/analysis-window.png and $out/zoomed-graph.png"
