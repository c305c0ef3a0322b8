#!/usr/bin/env bash
# Builds the program and starts it under Wine, in a prefix of its own.
#
#   bash tools/run.sh                      the platform's renderer (no COPP hardware)
#   SIMULATED_DRIVER_SCENARIO="connector=5;protection=5" bash tools/run.sh
#                                          the simulated driver stands in as the renderer
#
# Without $DISPLAY nobody can watch, so it runs the check itself on a virtual
# display: it screenshots the start page, presses the start button with the
# pointer, waits for the result page, screenshots it and prints the verdict.
# README.md ("Run the program") lists every variable it takes.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

if [ -n "${RUN_SCREENSHOT:-}" ]; then
  echo "run: RUN_SCREENSHOT is now two: RUN_SCREENSHOT_START and RUN_SCREENSHOT_RESULT" >&2
  exit 2
fi
result_timeout=${RUN_RESULT_TIMEOUT:-90}
if ! [[ $result_timeout =~ ^[0-9]+$ ]]; then
  echo "run: RUN_RESULT_TIMEOUT must be whole seconds, not \"$result_timeout\"" >&2
  exit 2
fi

bash "$root/tools/setup.sh"

# The shipped form is 32-bit; a host that cannot execute 32-bit code runs
# the 64-bit build of the same sources.
arch=${RUN_ARCH:-}
if [ -z "$arch" ]; then
  if /lib/ld-linux.so.2 --version >/dev/null 2>&1; then arch=i686; else arch=x86_64; fi
fi
build=${RUN_BUILD_DIR:-$root/build/$arch}
cmake -S "$root" -B "$build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-$arch-mingw.cmake" \
  -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-Release} >/dev/null
cmake --build "$build" --target qorChecker ball_source simrenderer page_reader

export WINE_TEST_PREFIX=$build/run-prefix
run=$build/wine-run.sh
program="Z:$build/app/qorChecker.exe"

headless=0
if [ -z "${DISPLAY:-}" ]; then
  headless=1
  echo "run: no DISPLAY; using a virtual display (Xvfb)"
fi

"$run" regsvr32 /s "Z:$build/sourcefilter/ball_source.dll"
driver=(env BUILD_DIR="$build" bash "$root/tools/simulated-driver.sh")
state=$WINE_TEST_PREFIX.state
simulated=0
pid=""
# One way out for every path: the renderer is put back while the prefix's
# server still runs, then the server (and with it the program) and the
# virtual display end, so nothing of the run is left behind. A renderer that
# is not back makes the run fail, whatever the check said.
clean_up() {
  local restored=1
  if [ "$simulated" = 1 ]; then
    if "${driver[@]}" restore >/dev/null; then
      echo "run: the platform's renderer is back in $WINE_TEST_PREFIX"
    else
      restored=0
      echo "run: FAILED to put the platform's renderer back in $WINE_TEST_PREFIX" >&2
    fi
  fi
  "$run" --stop
  if [ -n "$pid" ]; then wait "$pid" 2>/dev/null || true; fi
  if [ "$restored" = 0 ]; then exit 1; fi
}
trap clean_up EXIT
if [ -n "${SIMULATED_DRIVER_SCENARIO:-}" ]; then
  # Set first: a registration that fails half-way is undone too.
  simulated=1
  "$run" regsvr32 /s "Z:$build/simrenderer/simrenderer.dll"
  echo "run: simulated driver in place of the renderer: $SIMULATED_DRIVER_SCENARIO"
else
  # A run killed before its clean-up leaves the driver registered, and this
  # run would silently check against it.
  registered=$("${driver[@]}" status) || exit 1
  if [ "$registered" = simulated ]; then
    if ! "${driver[@]}" restore >/dev/null; then
      echo "run: FAILED to remove the simulated driver an earlier run left in $WINE_TEST_PREFIX" >&2
      exit 1
    fi
    echo "run: removed the simulated driver an earlier run left in $WINE_TEST_PREFIX"
  fi
fi

if [ "$headless" = 0 ]; then
  WINE_RUN_LOCALE=${RUN_LOCALE:-} "$run" "$program"
  exit 0
fi

start_shot=${RUN_SCREENSHOT_START:-$build/run-start-page.png}
result_shot=${RUN_SCREENSHOT_RESULT:-$build/run-result-page.png}
reader="Z:$build/tools/page_reader/page_reader.exe"
# The clean-up kills the program with its server; the group keeps the shell's
# "Killed" notice off the terminal, not the program's own messages.
{ WINE_RUN_LOCALE=${RUN_LOCALE:-} "$run" "$program" 2>&3 || true; } 3>&2 2>/dev/null &
pid=$!
display=$(cat "$state/xvfb.display")

# The reader runs in the program's prefix, where it can see the window's
# controls; its words are UTF-8 already.
if ! point=$(timeout 60 "$run" "$reader" start-button 45000); then
  echo "run: the start page did not show" >&2
  exit 1
fi
window=$(DISPLAY=$display xdotool search --name 'ソラリオ' 2>/dev/null | head -n 1 || true)
if [ -z "$window" ]; then
  echo "run: the window is not on $display" >&2
  exit 1
fi
sleep "${RUN_SCREENSHOT_DELAY:-2}"
DISPLAY=$display import -window "$window" "$start_shot"
echo "run: start page: $start_shot"

# A real pointer event, as a user's click: Wine sees the pointer arrive first.
# shellcheck disable=SC2086
DISPLAY=$display xdotool mousemove $point sleep 0.1 click 1
echo "run: pressed 判定開始; waiting up to ${result_timeout} s for the result page"
status=0
verdict=$(timeout $((result_timeout + 60)) "$run" "$reader" verdict $((result_timeout * 1000))) || status=$?
DISPLAY=$display import -window "$window" "$result_shot"
if [ "$status" = 2 ] || [ "$status" = 124 ]; then
  echo "run: no result page within ${result_timeout} s; the window instead: $result_shot" >&2
  exit 1
fi
echo "$verdict"
echo "run: result page: $result_shot"
if [ "$status" != 0 ]; then
  echo "run: the result page could not be read (page_reader exit $status)" >&2
  exit 1
fi

if [ -n "${RUN_KEEP:-}" ]; then
  echo "run: the program stays open on the virtual display $display (DISPLAY=$display); Ctrl+C ends it"
  wait "$pid"
  pid=""
fi
