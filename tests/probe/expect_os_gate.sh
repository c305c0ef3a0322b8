#!/usr/bin/env bash
# Runs the OS gate program under the Windows versions that Wine reports per
# application (HKCU\Software\Wine\AppDefaults\<exe>\Version) and checks both
# what the program saw and whether the gate let it through.
set -u
runner=$1 program=$2
key="HKCU\\Software\\Wine\\AppDefaults\\$(basename "$program")"

forget_version() { "$runner" reg delete "$key" /f >/dev/null 2>&1; }
forget_version
trap forget_version EXIT

# Prints the program's answer under one version ("" = the prefix's own).
answer_as() {
  if [ -n "$1" ]; then
    "$runner" reg add "$key" /v Version /d "$1" /f >/dev/null 2>&1 || echo "reg add $1 failed" >&2
  else
    forget_version
  fi
  "$runner" "$program" 2>/dev/null | tr -d '\r'
}

status=0
# $1 label, $2 answer, $3... the answers accepted.
expect() {
  local label=$1 answer=$2
  shift 2
  echo "$label: $answer"
  for accepted in "$@"; do
    [ "$answer" = "$accepted" ] && return 0
  done
  echo "$label: expected one of: $*" >&2
  status=1
}

expect vista "$(answer_as vista)" "supported 6.0 type 1"
expect winxp "$(answer_as winxp)" "refused 5.1 type 1"
expect win8 "$(answer_as win8)" "refused 6.2 type 1"
expect win2008 "$(answer_as win2008)" "refused 6.0 type 3"
# The test prefix itself is a Windows 7 workstation, read from its registry.
expect "prefix (win7)" "$(answer_as "")" "supported 6.1 type 1"
# Wine 8.0's version table pairs the names "win7" and "win2008r2" with each
# other's data; whichever label carries the workstation 6.1 must pass and the
# server 6.1 must not.
win7=$(answer_as win7)
win2008r2=$(answer_as win2008r2)
expect win7 "$win7" "supported 6.1 type 1" "refused 6.1 type 3"
expect win2008r2 "$win2008r2" "supported 6.1 type 1" "refused 6.1 type 3"
if [ "$win7" = "$win2008r2" ]; then
  echo "win7 and win2008r2 gave the same answer" >&2
  status=1
fi
exit $status
