#!/usr/bin/env bash
# Runs evaluator_bench and the same theme and workload in node-canvas, one after
# the other in one run, and prints both with their ratios.
#   bash bench/compare_with_node_canvas.sh [BUILD_DIR] [NODE_CANVAS_DIR]
# NODE_CANVAS_DIR holds node_modules/canvas (default: $TMPDIR/ampora-node-canvas).
# node-canvas builds from source here (its prebuilt binaries are downloaded from
# GitHub); it needs: apt-get install libgif-dev libjpeg-dev librsvg2-dev, then
#   npm install --prefix NODE_CANVAS_DIR canvas@3
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
modules=${2:-${TMPDIR:-/tmp}/ampora-node-canvas}/node_modules
if [ ! -d "$modules/canvas" ]; then
  echo "node-canvas is not installed in $modules; see the top of this script" >&2
  exit 1
fi
theme=$(mktemp)
trap 'rm -f "$theme"' EXIT
"$build/bench/evaluator_bench" --print-theme > "$theme"

ours=$("$build/bench/evaluator_bench" --benchmark_filter='^$' 2>/dev/null)
theirs=$(node bench/node_canvas_bench.js "$theme" "$modules")
echo "$ours" | grep -v '^RESULT'
echo "$theirs" | grep -v '^RESULT'
echo
{ echo "$ours"; echo "$theirs"; } | awk '
  $1 == "RESULT" { h40[$2] = $3; h60[$2] = $4; big[$2] = $5 }
  END {
    printf "ratios to node-canvas, same run (below 1: faster than node-canvas)\n"
    printf "  evaluator back to back:      height 40 %.2f   height 60 %.2f\n", h40["back"] / h40["node"], h60["back"] / h60["node"]
    printf "  evaluator, worker idle:      height 40 %.2f   height 60 %.2f\n", h40["idle"] / h40["node"], h60["idle"] / h60["node"]
    printf "  engine alone, new page:      height 40 %.2f   height 60 %.2f\n", h40["enginefresh"] / h40["node"], h60["enginefresh"] / h60["node"]
    printf "  engine alone, same page:     height 40 %.2f   height 60 %.2f\n", h40["enginesame"] / h40["node"], h60["enginesame"] / h60["node"]
    printf "  direct cairo:                height 40 %.2f   height 60 %.2f\n", h40["direct"] / h40["node"], h60["direct"] / h60["node"]
    printf "  800 px icon:                 evaluator %.2f   direct %.2f\n", big["back"] / big["node"], big["direct"] / big["node"]
  }'
