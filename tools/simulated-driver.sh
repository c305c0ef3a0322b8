#!/usr/bin/env bash
# Puts the simulated graphics driver in place of the platform's video
# renderer in one Wine prefix, or gives the platform's renderer back.
#
#   tools/simulated-driver.sh install   registers the ball source and the driver
#   tools/simulated-driver.sh restore   puts the platform's renderer back
#
# The prefix is the build tree's test prefix (build/<arch>/wineprefix), or
# WINE_TEST_PREFIX when set. Build first with tools/test.sh.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
action=${1:-}
build=${BUILD_DIR:-}
if [ -z "$build" ]; then
  for arch in x86_64 i686; do
    if [ -x "$root/build/$arch/wine-run.sh" ] && [ -f "$root/build/$arch/simrenderer/simrenderer.dll" ]; then
      build=$root/build/$arch
      break
    fi
  done
fi
[ -n "$build" ] || { echo "simulated-driver: no built tree; run tools/test.sh first" >&2; exit 1; }
run=$build/wine-run.sh

case "$action" in
  install)
    "$run" regsvr32 /s "Z:$build/sourcefilter/ball_source.dll"
    "$run" regsvr32 /s "Z:$build/simrenderer/simrenderer.dll"
    echo "simulated driver installed in ${WINE_TEST_PREFIX:-$build/wineprefix}"
    ;;
  restore)
    "$run" regsvr32 /u /s "Z:$build/simrenderer/simrenderer.dll"
    echo "platform renderer restored in ${WINE_TEST_PREFIX:-$build/wineprefix}"
    ;;
  *)
    echo "usage: $0 install|restore" >&2
    exit 2
    ;;
esac
