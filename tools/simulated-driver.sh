#!/usr/bin/env bash
# Puts the simulated graphics driver in place of the platform's video
# renderer in one Wine prefix, or gives the platform's renderer back.
#
#   tools/simulated-driver.sh install   registers the ball source and the driver
#   tools/simulated-driver.sh restore   puts the platform's renderer back, and
#                                       fails unless the registry shows it back
#   tools/simulated-driver.sh status    prints "simulated" or "platform"
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
prefix=${WINE_TEST_PREFIX:-$build/wineprefix}

# The renderer's class key, where simrenderer/registration.cpp puts its own
# path and keeps the platform's beside it.
server_key='HKLM\Software\Classes\CLSID\{B87BEB7B-8D29-423F-AE4D-6582C10175AC}\InprocServer32'

# "simulated" while any trace of the driver is in the key, "platform" when
# none is; fails when the key cannot be read at all.
renderer_state() {
  local listing
  listing=$("$run" reg query "$server_key" 2>/dev/null </dev/null) || return 1
  if grep -qiE 'simrenderer\.dll|SimulatedDriverSaved' <<<"$listing"; then
    echo simulated
  else
    echo platform
  fi
}

case "$action" in
  install)
    "$run" regsvr32 /s "Z:$build/sourcefilter/ball_source.dll"
    "$run" regsvr32 /s "Z:$build/simrenderer/simrenderer.dll"
    echo "simulated driver installed in $prefix"
    ;;
  restore)
    # regsvr32 succeeds when the driver finds nothing of its own to undo, so
    # only the registry itself says whether the platform's renderer is back.
    "$run" regsvr32 /u /s "Z:$build/simrenderer/simrenderer.dll" </dev/null ||
      echo "simulated-driver: unregistering $build/simrenderer/simrenderer.dll failed" >&2
    state=$(renderer_state) || state=unknown
    if [ "$state" != platform ]; then
      echo "simulated-driver: the platform's renderer is NOT back in $prefix (renderer registration: $state)" >&2
      exit 1
    fi
    echo "platform renderer restored in $prefix"
    ;;
  status)
    renderer_state || { echo "simulated-driver: cannot read the renderer's registration in $prefix" >&2; exit 1; }
    ;;
  *)
    echo "usage: $0 install|restore|status" >&2
    exit 2
    ;;
esac
