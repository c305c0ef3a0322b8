#!/usr/bin/env bash
# Runs tools/run.sh without a display on the high-definition scenario and
# checks what the terminal says and that both pages were photographed.
#
# usage: run_command_test.sh SOURCE_DIR BUILD_DIR ARCH BUILD_TYPE SHOT_DIR
set -u
root=$1 build=$2 arch=$3 buildType=$4 shots=$5
# run.sh configures the tree it builds in; without a type it would make this one Release.
[ -n "$buildType" ] || { echo "skipped: the build tree has no CMAKE_BUILD_TYPE"; exit 77; }
rm -rf "$shots"
mkdir -p "$shots"
unset DISPLAY RUN_KEEP RUN_SCREENSHOT RUN_SCREENSHOT_DELAY RUN_RESULT_TIMEOUT

output=$(RUN_ARCH=$arch RUN_BUILD_DIR=$build BUILD_TYPE=$buildType \
  RUN_SCREENSHOT_START=$shots/start.png RUN_SCREENSHOT_RESULT=$shots/result.png \
  SIMULATED_DRIVER_SCENARIO="connector=5;protection=5" bash "$root/tools/run.sh" 2>&1)
status=$?
echo "$output"

failures=0
fail() {
  echo "FAIL: $1" >&2
  failures=$((failures + 1))
}
[ "$status" = 0 ] || fail "run.sh exits with $status"

# The verdict block, less the machine's own OS name and memory size.
verdict=$(echo "$output" | sed -n '/^判定結果:/,/^  その他:/p' |
  sed -E 's/^(  OS: ◎ )Microsoft Windows [^/]+ (\/ )/\1<OS> \2/; s/^(  メモリ: [◎○×] )[0-9]+ MB /\1<MB> /')
expected='判定結果: ◎ fully suitable
  OS: ◎ <OS> / 対応しています
  メモリ: ◎ <MB> / 推奨環境です
  グラフィック＋ディスプレイ: ◎ ハイビジョンで表示可能です
  その他: -'
if [ "$verdict" != "$expected" ]; then
  fail "the printed verdict"
  diff <(echo "$expected") <(echo "$verdict") | sed 's/^/    /' >&2
fi

for shot in start result; do
  grep -qx "run: $shot page: $shots/$shot.png" <<<"$output" || fail "the $shot page's screenshot is not named"
  [ "$(head -c 8 "$shots/$shot.png" 2>/dev/null | od -An -tx1 | tr -d ' ')" = 89504e470d0a1a0a ] ||
    fail "$shot.png is not a PNG file"
done
# The fault this command had: with any scenario, one picture of the start page.
cmp -s "$shots/start.png" "$shots/result.png" && fail "both screenshots show the same"

[ "$failures" = 0 ] || exit 1
echo "all checks passed"
