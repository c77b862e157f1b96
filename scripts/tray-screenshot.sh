#!/usr/bin/env bash
# Draws docs/tray-light.png and docs/tray-dark.png: ampora-statusbar --tray in
# a real tray (xfce4-panel's status tray on Xvfb, at GDK_SCALE=1, a 32 px panel
# with 24 px icons, as xfce ships it) on a light and on a dark GTK theme, with
# the pointer resting on the item so that its tooltip shows. The host follows
# the theme by itself (--panel auto). For the README only; the build and tests
# need none of it. Needs: apt-get install xfce4-panel xvfb xdotool imagemagick
#   scripts/tray-screenshot.sh [OUTPUT_FOLDER]
set -euo pipefail
cd "$(dirname "$0")/.."
for tool in xfce4-panel Xvfb xdotool import dbus-run-session; do
  command -v "$tool" > /dev/null || { echo "tray-screenshot: $tool is missing" >&2; exit 1; }
done
cmake --build build --target ampora ampora-statusbar Ampora > /dev/null
outdir="$(realpath -m "${1:-docs}")"
mkdir -p "$outdir"
work="$(mktemp -d)"
xvfb=""
trap '[ -n "$xvfb" ] && kill "$xvfb"; rm -rf "$work"' EXIT

# One panel: the menu, a spacer, the status tray, the clock.
mkdir -p "$work/config/xfce4/xfconf/xfce-perchannel-xml"
cat > "$work/config/xfce4/xfconf/xfce-perchannel-xml/xfce4-panel.xml" << 'XML'
<?xml version="1.0" encoding="UTF-8"?>
<channel name="xfce4-panel" version="1.0">
  <property name="configver" type="int" value="2"/>
  <property name="panels" type="array">
    <value type="int" value="1"/>
    <property name="panel-1" type="empty">
      <property name="position" type="string" value="p=6;x=0;y=0"/>
      <property name="length" type="uint" value="100"/>
      <property name="position-locked" type="bool" value="true"/>
      <property name="size" type="uint" value="32"/>
      <property name="plugin-ids" type="array">
        <value type="int" value="1"/>
        <value type="int" value="2"/>
        <value type="int" value="3"/>
        <value type="int" value="4"/>
      </property>
    </property>
  </property>
  <property name="plugins" type="empty">
    <property name="plugin-1" type="string" value="applicationsmenu"/>
    <property name="plugin-2" type="string" value="separator">
      <property name="expand" type="bool" value="true"/>
      <property name="style" type="uint" value="0"/>
    </property>
    <property name="plugin-3" type="string" value="systray">
      <property name="icon-size" type="uint" value="24"/>
      <property name="square-icons" type="bool" value="true"/>
    </property>
    <property name="plugin-4" type="string" value="clock"/>
  </property>
</channel>
XML

export HOME="$work" XDG_CONFIG_HOME="$work/config" GDK_SCALE=1
export AMPORA_PREFERENCES="$work/prefs" AMPORA_NOTIFY_DIR="$work/notify"
./build/tools/ampora install-themes > /dev/null
./build/tools/ampora set enabled true

Xvfb -displayfd 3 -screen 0 1400x200x24 3> "$work/display" 2> /dev/null &
xvfb=$!
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"

for scheme in light dark; do
  theme=Adwaita; [ "$scheme" = dark ] && theme=Adwaita:dark
  GTK_THEME=$theme dbus-run-session -- bash -c '
    xfce4-panel --disable-wm-check > "$1/panel.log" 2>&1 & panel=$!
    sleep 4
    ./build/hosts/statusbar/ampora-statusbar --tray --simulate 57 & host=$!
    sleep 3
    xdotool mousemove 1314 15; sleep 1; xdotool mousemove 1315 16; sleep 2
    import -window root "$1/screen.png"
    kill $host $panel' bash "$work" 2> /dev/null
  convert "$work/screen.png" -crop 560x110+840+0 +repage "$outdir/tray-$scheme.png"
  echo "wrote $outdir/tray-$scheme.png"
done
