#!/usr/bin/env bash
# Keeps ampora-statusbar redrawing for MINUTES (default 60) while its battery
# file changes five times a second, and prints the resident size of the host
# and of its theme worker once a minute.
#   bash bench/statusbar_memory.sh [MINUTES] [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
minutes=${1:-60}
build=${2:-build}
work=$(mktemp -d)
trap 'kill "$host" 2>/dev/null; rm -rf "$work"' EXIT
export AMPORA_PREFERENCES=$work/prefs
"$build/tools/ampora" install-themes > /dev/null
echo 50 > "$work/battery"
"$build/hosts/statusbar/ampora-statusbar" --battery-file "$work/battery" --png "$work/item.png" --verbose 2> "$work/log" &
host=$!
rss() { awk '/^VmRSS/ { printf "%.1f", $2 / 1024 }' "/proc/$1/status" 2>/dev/null || echo "-"; }
worker() { pgrep -P "$host" -f ampora-theme-worker | head -1; }
echo "minute  host MB  worker MB  frames"
changes=0
for ((m = 0; m <= minutes; m++)); do
  echo "$m $(rss "$host") $(w=$(worker); [ -n "$w" ] && rss "$w" || echo -) $(wc -l < "$work/log")" |
    awk '{ printf "%6d  %7s  %9s  %7d\n", $1, $2, $3, $4 }'
  [ "$m" -eq "$minutes" ] && break
  end=$((SECONDS + 60))
  while [ "$SECONDS" -lt "$end" ]; do
    level=$((changes % 101)); state=""
    (( changes % 7 == 0 )) && state=":charging"
    echo "$level$state" > "$work/battery.new" && mv "$work/battery.new" "$work/battery"
    changes=$((changes + 1))
    sleep 0.2
  done
done
