#!/usr/bin/env bash
# The program's speed figures (tools/bench/program_bench.cpp) and one display
# check broken down (display_check_bench.cpp), in a Wine prefix of their own
# on a virtual display. Usage: tools/bench/program_bench.sh [runs] (default 7).
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
runs=${1:-7}
arch=${RUN_ARCH:-}
if [ -z "$arch" ]; then
  if /lib/ld-linux.so.2 --version >/dev/null 2>&1; then arch=i686; else arch=x86_64; fi
fi
build=$root/build/$arch
cmake --build "$build" --target program_bench display_check_bench >/dev/null
export WINE_TEST_PREFIX=$build/bench-prefix
run=$build/wine-run.sh
unset DISPLAY
trap '"$run" --stop' EXIT
"$run" "Z:$build/tools/bench/program_bench.exe" "Z:$build/app/qorChecker.exe" \
  "Z:$build/tools/bench/minimal_dialog.exe" "Z:$build/sourcefilter/ball_source.dll" \
  "Z:$build/simrenderer/simrenderer.dll" "$runs"
echo
"$run" "Z:$build/tools/bench/display_check_bench.exe"
