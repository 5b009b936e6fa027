#!/bin/sh
# Takes a picture of the window program as a user sees it at start-up.
# Usage: tools/screenshot.sh [path/to/telvane] [out.png]
# Runs on a virtual X display (:99, 1024x768x24); needs xvfb, xdotool and
# imagemagick.
set -eu

here=$(cd "$(dirname "$0")/.." && pwd)
program=${1:-"$here/build/app/telvane"}
out=${2:-"$here/build/screenshot.png"}
display=${TELVANE_DISPLAY:-:99}

if [ ! -x "$program" ]; then
    echo "screenshot: no program at $program" >&2
    exit 1
fi

Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
app=
cleanup() {
    [ -n "$app" ] && kill "$app" 2>/dev/null || true
    kill "$xvfb" 2>/dev/null || true
    wait 2>/dev/null || true
}
trap cleanup EXIT INT TERM

export DISPLAY="$display"
export QT_QPA_PLATFORM=xcb
# Wait for the display to accept clients.
tries=0
until xdotool getdisplaygeometry >/dev/null 2>&1; do
    tries=$((tries + 1))
    [ "$tries" -gt 50 ] && { echo "screenshot: Xvfb did not start" >&2; exit 1; }
    sleep 0.1
done

workdir=$(mktemp -d)
(cd "$workdir" && exec "$program") &
app=$!

timeout 20 xdotool search --sync --onlyvisible --name '^TELVANE$' >/dev/null
sleep 1 # let the first paint finish
import -window root "$out"
rm -rf "$workdir"
echo "$out"
