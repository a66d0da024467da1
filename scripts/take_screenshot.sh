#!/usr/bin/env bash
# Takes data/screenshots/main-window.png, the picture the AppStream metadata
# shows: the program on the sample tree in a virtual X display. Needs a built
# build/src/lineara and the Debian packages xvfb, xdotool and imagemagick.
#   scripts/take_screenshot.sh [OUT.png]
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-data/screenshots/main-window.png}")

if [ -z "${LINEARA_IN_XVFB:-}" ]; then
  LINEARA_IN_XVFB=1 exec xvfb-run -a -s "-screen 0 1600x900x24" "$0" "$out"
fi

# A home of its own, so the settings and desktop files of this run go nowhere.
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
HOME=$home QT_QPA_PLATFORM=xcb build/src/lineara examples/sample.ln3 &
pid=$!
trap 'kill $pid 2>/dev/null; rm -rf "$home"' EXIT

# The windows the program shows, once it shows them.
visible() {
  local id=""
  for _ in $(seq 150); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1 || true)
    [ -n "$id" ] && break
    sleep 0.2
  done
  echo "$id"
}
main=$(visible "^Proszę czekać")
welcome=$(visible "^Lineara$")
sleep 1
xdotool windowsize "$main" 1280 800

# "Start Lineara": its place beside the other button is drawn at random, so
# the focus goes to the next button until the main window takes over.
xdotool windowfocus --sync "$welcome"
for _ in 1 2; do
  xdotool key Tab
  sleep 0.5
  xdotool key space
  sleep 3
  xdotool getwindowname "$main" | grep -q "^Lineara 1" && break
done

# Two steps out, then along the boxes until the whole family is in view.
xdotool windowfocus --sync "$main"
for key in o o Down Down Right Right Right; do
  xdotool key "$key"
  sleep 1
done
mkdir -p "$(dirname "$out")"
import -window "$main" "$out"
echo "$out"
