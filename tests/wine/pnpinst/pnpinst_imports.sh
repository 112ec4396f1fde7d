#!/bin/sh
# pnpinst.exe may import only the C runtime and kernel32.
#   pnpinst_imports.sh OBJDUMP PNPINST_EXE
set -u
imports=$("$1" -p "$2" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z' | sort | tr '\n' ' ')
if [ "$imports" != "kernel32.dll msvcrt.dll " ]; then
  echo "FAIL imports: <$imports>"
  exit 1
fi
echo "imports: $imports"
