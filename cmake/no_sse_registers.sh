#!/bin/sh
# Fails, naming the first few instructions, when the file's code uses an
# SSE register. Usage: no_sse_registers.sh <objdump> <file>
#
# Run it before the file is stripped: the linker puts the exception tables
# (.gcc_except_table) into .text, and only the symbols tell that those bytes
# are data, whatever instructions they happen to decode as.
objdump=$1 file=$2
hits=$("$objdump" -d "$file" | awk '
  /^[0-9a-f]+ <.*>:$/ { data = ($2 ~ /^<\.gcc_except_table/); next }
  !data && /%[xy]mm[0-9]/ { print; if (++n == 5) exit }')
if [ -n "$hits" ]; then
  echo "$file uses SSE registers, which processors before the Pentium III lack:" >&2
  echo "$hits" >&2
  exit 1
fi
