#!/usr/bin/env bash
# Runs tools/run.sh without a display, as a newcomer would, and checks what
# the terminal says, that both pages were photographed and which renderer
# the prefix is left with. Two rows: a simulated driver that a killed run
# left registered must be removed before a run with the platform's renderer;
# then the high-definition scenario, which must give the renderer back.
#
# usage: run_command_test.sh SOURCE_DIR BUILD_DIR ARCH BUILD_TYPE SHOT_DIR
set -u
root=$1 build=$2 arch=$3 buildType=$4 shots=$5
# run.sh configures the tree it builds in; without a type it would make this one Release.
[ -n "$buildType" ] || { echo "skipped: the build tree has no CMAKE_BUILD_TYPE"; exit 77; }
unset DISPLAY RUN_KEEP RUN_SCREENSHOT RUN_SCREENSHOT_DELAY RUN_RESULT_TIMEOUT SIMULATED_DRIVER_SCENARIO
prefix=$build/run-prefix

failures=0
fail() {
  echo "FAIL: $1" >&2
  failures=$((failures + 1))
}
driver_state() {
  WINE_TEST_PREFIX=$prefix BUILD_DIR=$build bash "$root/tools/simulated-driver.sh" status
}

# row: name, scenario ("" for the platform's renderer), the verdict's banner
# and display lines, the line about the renderer that must be printed.
check_run() {
  local name=$1 scenario=$2 banner=$3 display=$4 rendererLine=$5
  local dir=$shots/$name output status verdict expected
  rm -rf "$dir"
  mkdir -p "$dir"
  output=$(env RUN_ARCH="$arch" RUN_BUILD_DIR="$build" BUILD_TYPE="$buildType" \
    RUN_SCREENSHOT_START="$dir/start.png" RUN_SCREENSHOT_RESULT="$dir/result.png" \
    ${scenario:+"SIMULATED_DRIVER_SCENARIO=$scenario"} bash "$root/tools/run.sh" 2>&1)
  status=$?
  echo "--- $name"
  echo "$output"
  [ "$status" = 0 ] || fail "$name: run.sh exits with $status"

  # The verdict block, less the machine's own OS name and memory size.
  verdict=$(echo "$output" | sed -n '/^判定結果:/,/^  その他:/p' |
    sed -E 's/^(  OS: ◎ )Microsoft Windows [^/]+ (\/ )/\1<OS> \2/; s/^(  メモリ: [◎○×] )[0-9]+ MB /\1<MB> /')
  expected="判定結果: $banner
  OS: ◎ <OS> / 対応しています
  メモリ: ◎ <MB> / 推奨環境です
  グラフィック＋ディスプレイ: $display
  その他: -"
  if [ "$verdict" != "$expected" ]; then
    fail "$name: the printed verdict"
    diff <(echo "$expected") <(echo "$verdict") | sed 's/^/    /' >&2
  fi
  grep -qxF "$rendererLine" <<<"$output" || fail "$name: no line \"$rendererLine\""

  for shot in start result; do
    grep -qx "run: $shot page: $dir/$shot.png" <<<"$output" || fail "$name: the $shot page's screenshot is not named"
    [ "$(head -c 8 "$dir/$shot.png" 2>/dev/null | od -An -tx1 | tr -d ' ')" = 89504e470d0a1a0a ] ||
      fail "$name: $shot.png is not a PNG file"
  done
  # The fault this command had: with any scenario, one picture of the start page.
  cmp -s "$dir/start.png" "$dir/result.png" && fail "$name: both screenshots show the same"
  [ "$(driver_state)" = platform ] || fail "$name: the prefix is left with the simulated driver"
  WINE_TEST_PREFIX=$prefix "$build/wine-run.sh" --stop
}

# What a run killed before its clean-up leaves behind.
WINE_TEST_PREFIX=$prefix "$build/wine-run.sh" regsvr32 /s "Z:$build/simrenderer/simrenderer.dll"
[ "$(driver_state)" = simulated ] || fail "the leftover driver could not be put in place"
WINE_TEST_PREFIX=$prefix "$build/wine-run.sh" --stop
check_run leftover-driver "" "× not suitable" "× グラフィック機能がCOPPに対応していません" \
  "run: removed the simulated driver an earlier run left in $prefix"
check_run high-definition "connector=5;protection=5" "◎ fully suitable" "◎ ハイビジョンで表示可能です" \
  "run: the platform's renderer is back in $prefix"

[ "$failures" = 0 ] || exit 1
echo "all checks passed"
