#!/usr/bin/env bash
# The no-HDCP check run by tools/run.sh twice: on a Japanese system, and on
# one whose code page for non-Unicode programs is 1252 (an English Windows).
# Both must show the same result page, pixel for pixel, and read the same.
#
# usage: locale_test.sh SOURCE_DIR BUILD_DIR ARCH BUILD_TYPE SHOT_DIR
set -u
root=$1 build=$2 arch=$3 buildType=$4 shots=$5
[ -n "$buildType" ] || { echo "skipped: the build tree has no CMAKE_BUILD_TYPE"; exit 77; }
rm -rf "$shots"
mkdir -p "$shots"
unset DISPLAY RUN_KEEP RUN_SCREENSHOT RUN_SCREENSHOT_DELAY RUN_RESULT_TIMEOUT

for locale in ja_JP.UTF-8 C.UTF-8; do
  RUN_LOCALE=$locale RUN_ARCH=$arch RUN_BUILD_DIR=$build BUILD_TYPE=$buildType \
    RUN_SCREENSHOT_START=$shots/start-$locale.png RUN_SCREENSHOT_RESULT=$shots/result-$locale.png \
    SIMULATED_DRIVER_SCENARIO="connector=5;protection=5;hdcpTakes=0" bash "$root/tools/run.sh" \
    >"$shots/run-$locale.txt" 2>&1 || { cat "$shots/run-$locale.txt"; echo "FAIL: run.sh under $locale"; exit 1; }
  sed -n '/^判定結果:/,/^  その他:/p' "$shots/run-$locale.txt" >"$shots/verdict-$locale.txt"
done
cat "$shots/verdict-C.UTF-8.txt"

failures=0
grep -q 'HDCPに対応していません' "$shots/verdict-ja_JP.UTF-8.txt" || { echo "FAIL: no no-HDCP verdict"; failures=1; }
diff "$shots/verdict-ja_JP.UTF-8.txt" "$shots/verdict-C.UTF-8.txt" || { echo "FAIL: the pages read differently"; failures=1; }
for page in start result; do
  differing=$(compare -metric AE "$shots/$page-ja_JP.UTF-8.png" "$shots/$page-C.UTF-8.png" null: 2>&1)
  [ "$differing" = 0 ] || { echo "FAIL: the $page page differs in $differing pixels"; failures=1; }
done
[ "$failures" = 0 ] || exit 1
echo "all checks passed"
