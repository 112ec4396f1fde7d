#!/bin/sh
# A file held open by another program under Wine: the package's copy is
# staged in C:\nutemp and registered to replace it at the next start; the
# file in use stays as it was.
#   inuse_e2e.sh TESSARY INSTALL_EXE WINE_PROBE PACKAGES_DIR
# Exits 77 (skipped) when the host tool has not been built.
set -u
. "$(dirname "$0")/e2e_common.sh"

session='HKLM\System\CurrentControlSet\Control\Session Manager'
reg() { timeout 60 "$WINE_RUN" reg "$@" 2>/dev/null | tr -d '\r'; }
pending() { reg query "$session" /v PendingFileRenameOperations; }

build_package files
"$WINE_PREFIX_TOOL" version winxp
tree="$WINEPREFIX/drive_c/TessaryE2E"
staging="$WINEPREFIX/drive_c/nutemp"
rm -rf "$tree" "$staging"
mkdir -p "$tree"
printf 'old on disk\n' >"$tree/old.txt"
touch -d '2001-01-15 10:00:00' "$tree/old.txt"
reg delete "$session" /v PendingFileRenameOperations /f >/dev/null

"$WINE_RUN" "$probe" lock 'C:\TessaryE2E\old.txt' "$(winepath -w "$work/release" 2>/dev/null)" >"$work/lock" 2>/dev/null &
holder=$!
i=0
while ! grep -q . "$work/lock" 2>/dev/null && [ $i -lt 600 ]; do sleep 0.1; i=$((i + 1)); done
check "file held open" Locked "$(tr -d '\r' <"$work/lock")"

temp_dir=$(wine_temp_folder)
rm -f "$temp_dir/nupinst.log"
timeout 120 "$WINE_RUN" "$work/files.exe" /q >/dev/null 2>&1
check "install exit code" 0 $?
touch "$work/release"
wait $holder

log=$(tr -d '\r' <"$temp_dir/nupinst.log" 2>/dev/null)
check "deferral logged" 1 "$(printf '%s\n' "$log" | grep -cxF "Can't open or create C:\\TessaryE2E\\old.txt. This file may be in use or read only. We will move the file after reboot.")"
check "file in use untouched" "old on disk" "$(cat "$tree/old.txt")"
check "package copy staged" "package copy of old" "$(cat "$staging/old.txt" 2>/dev/null)"
check "other files installed" "added by the package" "$(cat "$tree/added.txt" 2>/dev/null)"
registered=$(pending)
check "replacement registered" 1 "$(printf '%s\n' "$registered" | grep -ci 'nutemp\\old\.txt.*TessaryE2E\\old\.txt')"

if [ "$failures" -ne 0 ]; then
  echo "--- pending: $registered"
  echo "--- the log:"; printf '%s\n' "$log" | tail -40
fi
reg delete "$session" /v PendingFileRenameOperations /f >/dev/null
rm -rf "$tree" "$staging"
[ "$failures" -eq 0 ] && echo "in-use e2e passed: $passed checks"
[ "$failures" -eq 0 ]
