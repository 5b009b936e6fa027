#!/bin/sh
# Takes a picture of the window program as a user sees it, on a virtual X
# display (:99, 1024x768x24); needs xvfb, xdotool and imagemagick.
#   tools/screenshot.sh [path/to/telvane] [out.png]
#       the main window at start-up
#   tools/screenshot.sh --report [path/to/telvane-bench] [out.png]
#       a benchmark run: the frame windows with the result window in front
set -eu

here=$(cd "$(dirname "$0")/.." && pwd)
report=
if [ "${1:-}" = "--report" ]; then
    report=1
    shift
    program=${1:-"$here/build/app/telvane-bench"}
    out=${2:-"$here/build/screenshot-report.png"}
else
    program=${1:-"$here/build/app/telvane"}
    out=${2:-"$here/build/screenshot.png"}
fi
display=${TELVANE_DISPLAY:-:99}

if [ ! -x "$program" ]; then
    echo "screenshot: no program at $program" >&2
    exit 1
fi
# The program runs from a scratch folder: make relative paths absolute.
program=$(cd "$(dirname "$program")" && pwd)/$(basename "$program")
case $out in
    /*) ;;
    *) out=$(pwd)/$out ;;
esac

Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
app=
workdir=$(mktemp -d)
cleanup() {
    [ -n "$app" ] && kill "$app" 2>/dev/null || true
    kill "$xvfb" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$workdir"
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

if [ -n "$report" ]; then
    (cd "$workdir" && exec "$program" --window) &
    app=$!
    # Answer the confirmation with its Yes button (Alt+Y), wait for the report.
    confirm=$(timeout 20 xdotool search --sync --name '確認' | head -n 1)
    xdotool windowfocus --sync "$confirm" key alt+y
    timeout 60 xdotool search --sync --name '^Result$' >/dev/null
else
    (cd "$workdir" && exec "$program") &
    app=$!
    timeout 20 xdotool search --sync --onlyvisible --name '^TELVANE$' >/dev/null
fi
sleep 1 # let the first paint finish
import -window root "$out"
echo "$out"
