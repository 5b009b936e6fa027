#!/bin/sh
# The viewer as a user sees it, on a virtual X display (:97, 1024x768x24):
# a FITS star frame and a bitmap opened from the command line, the frame
# zoomed in, a pixel read out and a star measured.  Needs xvfb, xdotool,
# imagemagick and python3.
#   tools/viewer-screenshot.sh [path/to/telvane] [out.png]
set -eu

here=$(cd "$(dirname "$0")/.." && pwd)
program=${1:-"$here/build/app/telvane"}
case "$program" in /*) ;; *) program="$(pwd)/$program" ;; esac
out=${2:-"$here/build/screenshot-viewer.png"}
display=${TELVANE_DISPLAY:-:97}
[ -x "$program" ] || { echo "viewer-screenshot: no program at $program" >&2; exit 1; }

work=$(mktemp -d)
xvfb=
app=
cleanup() {
    [ -n "$app" ] && kill "$app" 2>/dev/null || true
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT INT TERM

python3 "$here/tools/samples/make_samples.py" "$work"
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY="$display" QT_QPA_PLATFORM=xcb
n=0
until xdotool getdisplaygeometry >/dev/null 2>&1; do
    n=$((n + 1)); [ "$n" -gt 50 ] && { echo "viewer-screenshot: Xvfb did not start" >&2; exit 1; }
    sleep 0.1
done

(cd "$work" && exec "$program" --viewer stars.fits picture.bmp) &
app=$!
timeout 20 xdotool search --sync --onlyvisible --name '^TELVANE$' >/dev/null
sleep 1
# The main window is centred at (62, 34) on this screen; positions below
# are screen pixels of its stored layout.
xdotool mousemove 400 99 click 1      # the frame window's title bar
sleep 0.3
xdotool mousemove 146 71 click 1      # "+": zoom 200 %
sleep 0.5
xdotool mousemove 543 261 click 1     # a star: peak, floor, FWHM
sleep 0.3
xdotool mousemove 545 263             # the pixel readout
sleep 0.7
mkdir -p "$(dirname "$out")"
import -window root "$out"
echo "$out"
