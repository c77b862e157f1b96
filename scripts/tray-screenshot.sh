#!/usr/bin/env bash
# Draws docs/tray.png: ampora-statusbar --tray on a private session bus, shown
# by a stand-in panel (tests/hosts/stand_in_tray.cpp) that reads the item's
# IconPixmap and ToolTip over D-Bus as a desktop's tray does.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --build build --target ampora ampora-statusbar Ampora stand_in_tray > /dev/null
root="$(mktemp -d)"
trap 'rm -rf "$root"' EXIT
export AMPORA_PREFERENCES="$root/prefs" AMPORA_NOTIFY_DIR="$root/notify"
./build/tools/ampora install-themes > /dev/null
./build/tools/ampora set enabled true
out="${1:-docs/tray.png}"
dbus-run-session -- bash -c '
  ./build/hosts/statusbar/ampora-statusbar --tray --simulate 57:charging & host=$!
  ./build/tests/stand_in_tray snapshot "$1"; status=$?
  kill $host; exit $status' bash "$out"
