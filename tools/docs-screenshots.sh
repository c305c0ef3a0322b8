#!/usr/bin/env bash
# Runs the end-to-end tests of the real program and copies the screenshots
# and the saved report they leave into docs/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/tools/test.sh" -R 'ball_source_registered|app_e2e'
arch=$(ls -td "$root"/build/*/e2e-artifacts 2>/dev/null | head -n 1 | xargs dirname | xargs basename)
artifacts=$root/build/$arch/e2e-artifacts
mkdir -p "$root/docs/screenshots"
# artefact of the end-to-end run : picture in docs/screenshots
for pair in start-page:start-page result-hdmi_with_hdcp:result-high-definition \
    result-vga_downscaled:result-downscaled result-platform_renderer_without_copp:result-not-displayable \
    detail-dialog:detail-dialog result-no-hdcp-144dpi:result-no-hdcp-144dpi \
    keyboard-high_definition:result-keyboard-focus; do
  /usr/bin/convert "$artifacts/${pair%%:*}.bmp" "$root/docs/screenshots/${pair#*:}.png"
done
cp "$artifacts/qorChekerLog.txt" "$root/docs/qorChekerLog.txt"
echo "docs-screenshots: written to docs/screenshots and docs/qorChekerLog.txt"
