#!/usr/bin/env bash
# Checks the .deb as a person gets it: lintian, `apt-get install ./…deb`, the
# installed programs from /usr/bin, then `apt-get purge`, leaving the machine
# as it was. Needs root (or sudo) and a machine where ampora is not installed.
#   scripts/check-package.sh [path/to/ampora_*.deb]
set -euo pipefail
cd "$(dirname "$0")/.."
sudo=""; [ "$(id -u)" -eq 0 ] || sudo="sudo"
deb="$(realpath "${1:-$(ls build/ampora_*.deb | tail -1)}")"
if dpkg-query -W -f='${Status}' ampora 2>/dev/null | grep -q 'install ok installed'; then
  echo "check-package: ampora is installed already; this check would remove it" >&2
  exit 1
fi

echo "== lintian $(basename "$deb")"
lintian --tag-display-limit 0 "$deb" | tee build/lintian.txt
if grep -q '^E:' build/lintian.txt; then echo "check-package: lintian reports errors" >&2; exit 1; fi

work="$(mktemp -d)"
packages() { dpkg-query -W -f='${Package}\n' | sort; }
packages > "$work/before"
cleanup() {
  DEBIAN_FRONTEND=noninteractive $sudo apt-get purge -y -qq ampora > /dev/null 2>&1 || true
  # Whatever the install pulled in goes too.
  extra="$(packages | comm -13 "$work/before" -)"
  [ -z "$extra" ] || DEBIAN_FRONTEND=noninteractive $sudo apt-get purge -y -qq $extra > /dev/null
  rm -rf "$work"
}
trap cleanup EXIT

echo "== apt-get install ./$(basename "$deb")"
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "$deb" > "$work/install.log" || { cat "$work/install.log"; exit 1; }
dpkg -L ampora > "$work/files"
dpkg-query -W -f='Depends: ${Depends}\n' ampora

echo "== the installed programs, from another folder, with nothing of the build"
mkdir "$work/run"
(
  cd "$work/run"
  unset LD_LIBRARY_PATH
  export HOME="$work/home" AMPORA_PREFERENCES="$work/prefs" AMPORA_NOTIFY_DIR="$work/notify"
  mkdir -p "$HOME"
  /usr/bin/ampora --version
  /usr/bin/ampora install-themes > /dev/null
  /usr/bin/ampora set enabled true > /dev/null
  /usr/bin/ampora-settings --screenshot main.png
  /usr/bin/ampora-statusbar --once --simulate 40 --png icon.png
  /usr/bin/ampora render --level 40 -o render.png
  for png in main.png icon.png render.png; do
    [ "$(head -c 8 "$png" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] || { echo "check-package: $png is not a PNG" >&2; exit 1; }
  done
  cmp -s icon.png render.png || echo "note: the status bar's strip and the render differ"
)

echo "== apt-get purge ampora"
DEBIAN_FRONTEND=noninteractive $sudo apt-get purge -y -qq ampora > /dev/null
left=0
while IFS= read -r f; do
  [ -f "$f" ] || [ -L "$f" ] && { echo "left behind: $f" >&2; left=1; }
done < "$work/files"
[ -e /usr/lib/ampora ] && { echo "left behind: /usr/lib/ampora" >&2; left=1; }
[ "$left" = 0 ] || exit 1
echo "check-package: the package installs, runs and purges cleanly"
