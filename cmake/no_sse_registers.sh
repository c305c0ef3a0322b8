#!/bin/sh
# Fails, naming the first few instructions, when the file's code uses an
# SSE register. Usage: no_sse_registers.sh <objdump> <file>
objdump=$1 file=$2
hits=$("$objdump" -d "$file" | grep -E '%[xy]mm[0-9]' | head -n 5) || true
if [ -n "$hits" ]; then
  echo "$file uses SSE registers, which processors before the Pentium III lack:" >&2
  echo "$hits" >&2
  exit 1
fi
