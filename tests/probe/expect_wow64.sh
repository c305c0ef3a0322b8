#!/usr/bin/env bash
# Runs the WOW64 probe program in a Wine prefix of the given architecture
# and checks its answer. The prefix is a second one beside the test prefix,
# so its wineserver and private X display are stopped again at the end.
set -u
runner=$1 program=$2 prefix=$3 arch=$4 expected=$5

stop_prefix() {
  WINEPREFIX=$prefix wineserver -k 2>/dev/null
  WINEPREFIX=$prefix wineserver -w 2>/dev/null
  local pidfile=$prefix.state/xvfb.pid
  if [ -f "$pidfile" ]; then
    kill "$(cat "$pidfile")" 2>/dev/null
    rm -f "$pidfile" "$prefix.state/xvfb.display" "$prefix.state/display"
  fi
}
trap stop_prefix EXIT

answer=$(WINE_TEST_PREFIX=$prefix WINEARCH=$arch "$runner" "$program" 2>/dev/null | tr -d '\r')
echo "$arch prefix: $answer"
if [ "$answer" != "$expected" ]; then
  echo "expected $expected" >&2
  exit 1
fi
