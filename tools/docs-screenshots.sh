#!/usr/bin/env bash
# Runs the end-to-end tests of the real program and copies the screenshots
# and the saved report they leave into docs/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/tools/test.sh" -R 'ball_source_registered|app_e2e_tests'
arch=$(ls -td "$root"/build/*/e2e-artifacts 2>/dev/null | head -n 1 | xargs dirname | xargs basename)
artifacts=$root/build/$arch/e2e-artifacts
mkdir -p "$root/docs/screenshots"
for name in start-page result-high-definition result-downscaled result-not-displayable detail-dialog; do
  /usr/bin/convert "$artifacts/$name.bmp" "$root/docs/screenshots/$name.png"
done
cp "$artifacts/qorChekerLog.txt" "$root/docs/qorChekerLog.txt"
echo "docs-screenshots: written to docs/screenshots and docs/qorChekerLog.txt"
