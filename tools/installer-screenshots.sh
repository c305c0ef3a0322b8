#!/usr/bin/env bash
# Goes through the setup program and its uninstaller page by page, as a user
# would, in a fresh Wine prefix on a virtual display, and writes a screenshot
# of every page to docs/installer/. Keys go in through xdotool; on the finish
# page the "start the program" box is left ticked, so the last install
# screenshot is the program that [完了] started. With no window manager on
# the display, the pictures show the windows without their title bars.
#
#   bash tools/installer-screenshots.sh [BUILD_DIR]   (default build/i686)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/i686}
out=$root/docs/installer
setup=$build/installer/SolarioSetup.exe
[ -f "$setup" ] || { echo "installer-screenshots: build $setup first" >&2; exit 1; }

export WINE_TEST_PREFIX=$build/installer-shots-prefix
# winemenubuilder would copy the Start-menu entry into the host's own menus.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
unset DISPLAY
run=$build/wine-run.sh
"$run" --stop
rm -rf "$WINE_TEST_PREFIX" "$WINE_TEST_PREFIX.state"
trap '"$run" --stop' EXIT
"$run" wineboot -i >/dev/null 2>&1
display=$(cat "$WINE_TEST_PREFIX.state/xvfb.display")
mkdir -p "$out"

# The window whose title starts with $1, once it shows.
window_of() {
  local id=""
  for _ in $(seq 1 300); do
    id=$(DISPLAY=$display xdotool search --onlyvisible --name "^$1" 2>/dev/null | head -n 1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.2
  done
  echo "installer-screenshots: no window \"$1\"" >&2
  return 1
}

pixels() { DISPLAY=$display import -window "$1" rgb:- 2>/dev/null | md5sum; }

# Waits until the window's picture changes from $2 and holds still, then saves it.
shoot() {
  local window=$1 before=$2 name=$3 now last=""
  for _ in $(seq 1 150); do
    now=$(pixels "$window")
    if [ "$now" != "$before" ] && [ "$now" = "$last" ]; then break; fi
    last=$now
    sleep 0.3
  done
  DISPLAY=$display import -window "$window" "$out/$name.png"
  echo "installer-screenshots: $out/$name.png"
}

press() { DISPLAY=$display xdotool key --window "$1" "$2" 2>/dev/null; sleep 0.3; }

"$run" "Z:$setup" &
setupWindow=$(window_of "ソラリオ for UT-750 セットアップ")
shoot "$setupWindow" none 01-welcome
state=$(pixels "$setupWindow"); press "$setupWindow" Return
shoot "$setupWindow" "$state" 02-folder
state=$(pixels "$setupWindow"); press "$setupWindow" Return
shoot "$setupWindow" "$state" 03-installing
state=$(pixels "$setupWindow"); press "$setupWindow" Return
shoot "$setupWindow" "$state" 04-finish
press "$setupWindow" Return
programWindow=$(window_of "　ソラリオ　")
shoot "$programWindow" none 05-program-started-from-finish-page
# Esc ends the program, as a user would: a copy left running would hold its
# folder, and the uninstaller would rightly refuse to remove it.
press "$programWindow" Escape
# Wine ends a dialog program some seconds after its window has gone.
for _ in $(seq 1 100); do
  pgrep -f 'Solario\\qorChecker\.exe' >/dev/null || break
  sleep 0.2
done
wait

# The caption the uninstaller's pages carry (installer/texts.nsh).
"$run" "C:\\Program Files\\Lumora\\Solario\\uninstall.exe" &
unWindow=$(window_of "ソラリオ for UT-750 の削除")
shoot "$unWindow" none 06-uninstall-confirm
state=$(pixels "$unWindow"); press "$unWindow" Return
shoot "$unWindow" "$state" 07-uninstalling
state=$(pixels "$unWindow"); press "$unWindow" Return
shoot "$unWindow" "$state" 08-uninstall-finish
press "$unWindow" Return
