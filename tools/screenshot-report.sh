#!/bin/sh
# Takes a picture of a benchmark run in a window: the frame windows with the
# result window in front.  Runs on a virtual X display (:98, 1024x768x24);
# needs xvfb, xdotool and imagemagick.
# Usage: tools/screenshot-report.sh [path/to/telvane-bench] [out.png]
set -eu

here=$(cd "$(dirname "$0")/.." && pwd)
program=${1:-"$here/build/app/telvane-bench"}
out=${2:-"$here/build/screenshot-report.png"}
display=${TELVANE_DISPLAY:-:98}

[ -x "$program" ] || { echo "screenshot-report: no program at $program" >&2; exit 1; }

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
tries=0
until xdotool getdisplaygeometry >/dev/null 2>&1; do
    tries=$((tries + 1))
    [ "$tries" -gt 50 ] && { echo "screenshot-report: Xvfb did not start" >&2; exit 1; }
    sleep 0.1
done

(cd "$workdir" && exec "$program" --window) &
app=$!

# Answer the confirmation with its Yes button (Alt+Y).
confirm=$(xdotool search --sync --name '確認' | head -n 1)
xdotool windowfocus --sync "$confirm" key alt+y
xdotool search --sync --name 'Result' >/dev/null
sleep 1
import -window root "$out"
echo "screenshot-report: $out"
