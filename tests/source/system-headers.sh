#!/bin/sh
# Windows' own headers belong to the platform layer, the dialogs and the
# driver helper; anywhere else they would let a system call slip past the
# platform boundary.
#   system-headers.sh SOURCE_ROOT
root=$1
found=$(grep -rlE '^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"](windows|winbase|winreg|winuser|winsock2?|ws2tcpip|iphlpapi|setupapi|newdev|shlobj|shellapi|objbase|ole2|lm|aclapi|psapi|tlhelp32)\.h[>"]' \
  --include='*.cpp' --include='*.h' "$root/src" "$root/tests" "$root/fuzz" "$root/bench" |
  grep -vE "^$root/(src/platform/win32|src/control/ui|src/pnpinst|tests/unit/win32|tests/wine)/")
if [ -n "$found" ]; then
  echo "Windows headers outside the platform layer:"
  echo "$found"
  exit 1
fi
echo "Windows headers only where they belong"
