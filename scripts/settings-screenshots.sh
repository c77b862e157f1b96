#!/usr/bin/env bash
# Draws the README's pictures of the settings window off-screen, with the
# shipped bundle on an empty preferences root: the window as it opens, in the
# light and the dark look, a window resized wider than tall, the main page and
# the credits page. Off-screen drawing is the window's own path, so the
# pictures are what the window shows at scale 1.
#   scripts/settings-screenshots.sh [OUTPUT_FOLDER]
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --build build --target ampora-settings > /dev/null
outdir="$(realpath -m "${1:-docs}")"
mkdir -p "$outdir"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
settings() { AMPORA_PREFERENCES="$work/root" build/hosts/settings/ampora-settings --scale 1 "$@"; }

# A second on, as a person sees the window: the bar's title has faded in.
printf 'wait 1000\nshot %s\n' "$outdir/settings-window.png" > "$work/light.txt"
settings --script "$work/light.txt"
printf 'wait 1000\nshot %s\n' "$outdir/settings-window-dark.png" > "$work/dark.txt"
settings --dark --script "$work/dark.txt"
printf 'rotate\nshot %s\n' "$outdir/settings-wide.png" > "$work/wide.txt"
settings --size 500x800 --script "$work/wide.txt"
settings --page QVAXSettingsMainController --screenshot "$outdir/settings-main.png"
settings --page QVAXCreditsController --screenshot "$outdir/settings-credits.png"
echo "settings-screenshots: wrote $outdir/settings-{window,window-dark,wide,main,credits}.png"
