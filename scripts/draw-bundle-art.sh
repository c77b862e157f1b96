#!/usr/bin/env bash
# Redraws the settings bundle's pictures from their canvas scripts with our own
# evaluator, so the pictures stay editable as code.
#   scripts/draw-bundle-art.sh [path/to/ampora]
set -euo pipefail
cd "$(dirname "$0")/.."
ampora="${1:-build/tools/ampora}"
for js in settings/bundle/art/*.js; do
  name="$(basename "$js" .js)"
  "$ampora" eval --timeout-ms 2000 --file "$js" -o "settings/bundle/$name@2x.png" >/dev/null
done
