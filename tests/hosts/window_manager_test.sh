#!/bin/bash
# The installed window, started as its menu entry says, under a real window
# manager on its own Xvfb at 1366x768: it opens on Ampora with its frame inside
# the screen, carries an icon, takes a resize to 800x600 and lays the page out
# across it, turns Ampora on from the keyboard and closes on Ctrl+Q.
# Usage: window_manager_test.sh BUILD_TREE CMAKE
set -u
build_tree=$1
cmake_command=${2:-cmake}
for tool in Xvfb xfwm4 xwininfo xprop xdotool xwd; do
    command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done
work=$(mktemp -d)
pids=()
cleanup() { for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done; wait 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }

"$cmake_command" --install "$build_tree" --prefix "$work/prefix" >/dev/null || fail "cannot install into $work/prefix"
read -r -a settings < <(sed -n 's/^Exec=//p' "$work/prefix/share/applications/ampora-settings.desktop")
[ "${#settings[@]}" -gt 0 ] || fail "the desktop entry has no Exec line"
unset LD_LIBRARY_PATH

Xvfb -displayfd 5 -screen 0 1366x768x24 -nolisten tcp 5>"$work/display" 2>"$work/xvfb.log" &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=":$(head -1 "$work/display")"
unset SDL_VIDEODRIVER GDK_SCALE
HOME="$work" xfwm4 --compositor=off >"$work/wm.log" 2>&1 &
pids+=($!)
sleep 1.5
mkdir -p "$work/root"
"${settings[@]}" --root "$work/root" >"$work/settings.log" 2>&1 &
pids+=($!)
window=
for _ in $(seq 100); do
    window=$(xdotool search --name '^Ampora$' 2>/dev/null | head -1)
    [ -n "$window" ] && [ -n "$(xprop -id "$window" _NET_FRAME_EXTENTS | grep -o '=.*')" ] && break
    sleep 0.1
done
[ -n "$window" ] || fail "no window titled Ampora: $(cat "$work/settings.log")"
sleep 0.5

read -r left right top bottom < <(xprop -id "$window" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
geometry() { xwininfo -id "$window" | awk -v k="$1" -F: '$1 ~ k {gsub(/ /, "", $2); print $2}'; }
x=$(geometry "Absolute upper-left X"); y=$(geometry "Absolute upper-left Y")
width=$(geometry "Width"); height=$(geometry "Height")
echo "window ${width}x${height} at $x,$y, frame $left $right $top $bottom"
(( x - left >= 0 && y - top >= 0 )) || fail "the frame starts off the screen"
(( x + width + right <= 1366 && y + height + bottom <= 768 )) || fail "the frame ends off the screen"
xprop -id "$window" _NET_WM_ICON | grep -q "Icon (64 x 64)" || fail "no window icon"

xdotool windowsize "$window" 800 600
for _ in $(seq 50); do [ "$(geometry Width)" = 800 ] && break; sleep 0.1; done
sleep 0.5
[ "$(geometry Width)x$(geometry Height)" = 800x600 ] || fail "the resize did not take: $(geometry Width)x$(geometry Height)"
# Reflowed, not scaled: white rows reach both edges and no grey bars stand beside a phone picture.
read -r _ bars _ rows < <(/usr/bin/python3 "$(dirname "$0")/xwd_pixels.py" "$window")
echo "after the resize: $rows rows span the width, $bars pixels of bars"
(( bars == 0 && rows >= 100 )) || fail "the page did not reflow to 800x600: $rows spanning rows, $bars bar pixels"
# The keyboard alone: Tab reaches the "Enabled" switch and Space turns it on.
settings_file="$work/root/com.kelvary.ampora.plist"
xdotool windowactivate --sync "$window" key Tab space 2>/dev/null
for _ in $(seq 50); do grep -q '<key>enabled</key>' "$settings_file" 2>/dev/null && break; sleep 0.1; done
grep -A1 '<key>enabled</key>' "$settings_file" 2>/dev/null | grep -q '<true/>' || fail "Tab and Space did not turn Ampora on"
xdotool windowactivate --sync "$window" key ctrl+q 2>/dev/null
for _ in $(seq 50); do kill -0 "${pids[2]}" 2>/dev/null || break; sleep 0.1; done
kill -0 "${pids[2]}" 2>/dev/null && fail "Ctrl+Q did not close the window"
echo "ok"
