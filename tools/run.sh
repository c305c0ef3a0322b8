#!/usr/bin/env bash
# Builds the program and starts it under Wine, in a prefix of its own.
#
#   bash tools/run.sh                      the platform's renderer (no COPP hardware)
#   SIMULATED_DRIVER_SCENARIO="connector=5;protection=5" bash tools/run.sh
#                                          the simulated driver stands in as the renderer
#
# Without $DISPLAY it runs on a virtual display and writes a screenshot of
# the window to build/<arch>/run-screenshot.png (or RUN_SCREENSHOT).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

bash "$root/tools/setup.sh"

# The shipped form is 32-bit; a host that cannot execute 32-bit code runs
# the 64-bit build of the same sources.
arch=${RUN_ARCH:-}
if [ -z "$arch" ]; then
  if /lib/ld-linux.so.2 --version >/dev/null 2>&1; then arch=i686; else arch=x86_64; fi
fi
build=$root/build/$arch
cmake -S "$root" -B "$build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-$arch-mingw.cmake" \
  -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-Release} >/dev/null
cmake --build "$build" --target qorChecker ball_source simrenderer

export WINE_TEST_PREFIX=$build/run-prefix
run=$build/wine-run.sh
program="Z:$build/app/qorChecker.exe"

headless=0
if [ -z "${DISPLAY:-}" ]; then
  headless=1
  echo "run: no DISPLAY; using a virtual display (Xvfb)"
fi

"$run" regsvr32 /s "Z:$build/sourcefilter/ball_source.dll"
state=$WINE_TEST_PREFIX.state
simulated=0
pid=""
# One way out for every path: the renderer is put back while the prefix's
# server still runs, then the server (and with it the program) and the
# virtual display end, so nothing of the run is left behind.
clean_up() {
  if [ "$simulated" = 1 ]; then
    "$run" regsvr32 /u /s "Z:$build/simrenderer/simrenderer.dll" || true
    echo "run: the platform's renderer is back in $WINE_TEST_PREFIX"
  fi
  "$run" --stop
  if [ -n "$pid" ]; then wait "$pid" 2>/dev/null || true; fi
}
trap clean_up EXIT
if [ -n "${SIMULATED_DRIVER_SCENARIO:-}" ]; then
  "$run" regsvr32 /s "Z:$build/simrenderer/simrenderer.dll"
  simulated=1
  echo "run: simulated driver in place of the renderer: $SIMULATED_DRIVER_SCENARIO"
fi

if [ "$headless" = 0 ]; then
  "$run" "$program"
  exit 0
fi

shot=${RUN_SCREENSHOT:-$build/run-screenshot.png}
"$run" "$program" &
pid=$!
display=$(cat "$state/xvfb.display")
window=""
for _ in $(seq 1 150); do
  window=$(DISPLAY=$display xdotool search --name 'ソラリオ' 2>/dev/null | head -n 1 || true)
  [ -n "$window" ] && break
  sleep 0.2
done
if [ -z "$window" ]; then
  echo "run: the window did not show" >&2
  exit 1
fi
sleep "${RUN_SCREENSHOT_DELAY:-2}"
DISPLAY=$display import -window "$window" "$shot"
echo "run: screenshot of the window written to $shot"
if [ -n "${RUN_KEEP:-}" ]; then
  wait "$pid"
  pid=""
fi
