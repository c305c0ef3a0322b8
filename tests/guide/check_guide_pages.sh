#!/bin/bash
# Checks the guide pages in headless Chromium and leaves a screenshot of each.
# Usage: bash tests/guide/check_guide_pages.sh <GUIDE folder> <screenshot folder>
set -u
if [ $# -ne 2 ]; then
  echo "usage: $0 <GUIDE folder> <screenshot folder>" >&2
  exit 2
fi
here=$(cd "$(dirname "$0")" && pwd)
for tool in /usr/bin/python3 /usr/bin/chromium; do
  if [ ! -x "$tool" ]; then
    echo "FAIL: $tool is not installed" >&2
    exit 1
  fi
done
# -B: no __pycache__ left in the source tree.
exec /usr/bin/python3 -B "$here/check_guide_pages.py" "$1" "$2"
