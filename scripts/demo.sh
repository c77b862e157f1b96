#!/usr/bin/env bash
# Sets Ampora up on a fresh machine and draws icons with the installed default
# theme: packages, build, themes into the preferences root, then a contact
# sheet and a few icons in out/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-packages.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
# The programs a person runs; each brings the theme worker and the plug-ins it needs.
cmake --build build --target ampora ampora-statusbar ampora-settings
ampora=./build/tools/ampora
mkdir -p out
"$ampora" install-themes
"$ampora" themes
"$ampora" sheet -o out/contact-sheet.png
"$ampora" render --level 57 --panel dark -o out/57-dark-panel.png
"$ampora" render --level 57 --panel light -o out/57-light-panel.png
"$ampora" render --level 42 --charging -o out/42-charging.png
"$ampora" render --level 100 --charging -o out/100-full.png
"$ampora" render --level 12 --lpm --scale 3 -o out/12-low-power@3x.png
echo "Wrote out/contact-sheet.png and icons in out/ (preferences root: ${AMPORA_PREFERENCES:-${XDG_CONFIG_HOME:-$HOME/.config}/ampora})"
