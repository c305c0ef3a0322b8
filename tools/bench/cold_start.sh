#!/usr/bin/env bash
# Cold start to the main window shown: the program against our minimal dialog
# program, alternating, under the same Wine and prefix. Prints each run and
# the medians. Usage: tools/bench/cold_start.sh [runs] (default 7).
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
runs=${1:-7}
arch=${RUN_ARCH:-}
if [ -z "$arch" ]; then
  if /lib/ld-linux.so.2 --version >/dev/null 2>&1; then arch=i686; else arch=x86_64; fi
fi
build=$root/build/$arch
cmake --build "$build" --target qorChecker minimal_dialog ball_source >/dev/null
export WINE_TEST_PREFIX=$build/bench-prefix
run=$build/wine-run.sh
unset DISPLAY
"$run" regsvr32 /s "Z:$build/sourcefilter/ball_source.dll"
display=$(cat "$WINE_TEST_PREFIX.state/xvfb.display")

# Seconds from the start of the command until a window with the title shows.
time_to_window() {
  local exe=$1 title=$2 start end window
  start=$(date +%s.%N)
  "$run" "$exe" >/dev/null 2>&1 &
  local pid=$!
  until window=$(DISPLAY=$display xdotool search --name "$title" 2>/dev/null | head -n 1) && [ -n "$window" ]; do
    sleep 0.01
  done
  end=$(date +%s.%N)
  sleep 0.3
  DISPLAY=$display xdotool key --window "$window" Escape 2>/dev/null
  wait "$pid" || true
  echo "$end - $start" | bc
}

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

program=() minimal=()
for i in $(seq 1 "$runs"); do
  minimal+=("$(time_to_window "Z:$build/tools/bench/minimal_dialog.exe" 'minimal dialog')")
  program+=("$(time_to_window "Z:$build/app/qorChecker.exe" 'ソラリオ')")
  echo "run $i: program ${program[-1]} s, minimal dialog ${minimal[-1]} s"
done
p=$(printf '%s\n' "${program[@]}" | median)
m=$(printf '%s\n' "${minimal[@]}" | median)
echo "median cold start: program $p s, minimal dialog $m s, ratio $(echo "scale=2; $p / $m" | bc)"
WINEPREFIX=$WINE_TEST_PREFIX wineserver -k 2>/dev/null || true
if [ -f "$WINE_TEST_PREFIX.state/xvfb.pid" ]; then
  kill "$(cat "$WINE_TEST_PREFIX.state/xvfb.pid")" 2>/dev/null || true
  rm -f "$WINE_TEST_PREFIX.state/xvfb.pid" "$WINE_TEST_PREFIX.state/xvfb.display" "$WINE_TEST_PREFIX.state/display"
fi
