#!/usr/bin/env bash
# Runs a program under Wine with the debug-string channel on and checks that
# each JudgeTrace call arrived as its own OutputDebugStringA message.
set -u
runner=$1 program=$2
log=$(WINEDEBUG=+debugstr "$runner" "$program" 2>&1 >/dev/null)
status=0
for expected in '"judge trace first 00000004"' '"judge trace second 100%"'; do
  count=$(grep -c "OutputDebugStringA $expected" <<<"$log")
  if [ "$count" != 1 ]; then
    echo "expected one message $expected, saw $count" >&2
    status=1
  fi
done
[ $status = 0 ] || printf '%s\n' "$log" >&2
exit $status
