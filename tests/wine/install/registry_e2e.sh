#!/bin/sh
# The registry pass under Wine: a package writes, overwrites, deletes and
# force-deletes keys and values of the current user and the machine; its
# undo package then brings the keys back as they were (compared as sorted
# regedit exports).
#   registry_e2e.sh TESSARY INSTALL_EXE WINE_PROBE PACKAGES_DIR
# Exits 77 (skipped) when the host tool has not been built.
set -u
. "$(dirname "$0")/e2e_common.sh"

reg() { timeout 60 "$WINE_RUN" reg "$@" >/dev/null 2>&1; }

# Both keys as sorted export lines (the export header and blank lines dropped).
snapshot() {  # snapshot FILE
  : >"$1"
  for key in 'HKCU\Software\TessaryE2E' 'HKLM\Software\TessaryE2E'; do
    rm -f "$work/export.reg"
    if timeout 60 "$WINE_RUN" reg export "$key" "$(winepath -w "$work/export.reg")" >/dev/null 2>&1; then
      iconv -f UTF-16LE -t UTF-8 "$work/export.reg" 2>/dev/null | tr -d '\r' | grep -v '^$' | grep -v '^Windows Registry' >>"$1"
    else
      echo "no $key" >>"$1"
    fi
  done
  sort -o "$1" "$1"
}

build_package registry

"$WINE_PREFIX_TOOL" version winxp
reg delete 'HKCU\Software\TessaryE2E' /f
reg delete 'HKLM\Software\TessaryE2E' /f
reg add 'HKCU\Software\TessaryE2E' /v Old /d 1 /f
reg add 'HKCU\Software\TessaryE2E' /v Gone /d x /f
reg add 'HKCU\Software\TessaryE2E\Legacy\Inner' /v Deep /d d /f
reg add 'HKCU\Software\TessaryE2E\Legacy' /v Top /t REG_DWORD /d 7 /f
snapshot "$work/before.txt"

temp_dir=$(wine_temp_folder)
rm -f "$temp_dir"/registry-un*.exe

timeout 120 "$WINE_RUN" "$work/registry.exe" /q >/dev/null 2>&1
check "install exit code" 0 $?
snapshot "$work/installed.txt"
check "value overwritten" 1 "$(grep -cxF '"Old"="2"' "$work/installed.txt")"
check "new key made" 1 "$(grep -cxF '"Made"="yes"' "$work/installed.txt")"
check "machine value written" 1 "$(grep -cxF '"Machine"="m"' "$work/installed.txt")"
check "value deleted" 0 "$(grep -cxF '"Gone"="x"' "$work/installed.txt")"
check "tree force-deleted" 0 "$(grep -c 'Legacy' "$work/installed.txt")"

if [ ! -s "$temp_dir/registry-un01.exe" ]; then
  echo "FAIL no undo package in $temp_dir"
  exit 1
fi
cp "$temp_dir/registry-un01.exe" "$work/registry-un01.exe"
timeout 120 "$WINE_RUN" "$work/registry-un01.exe" /q >/dev/null 2>&1
check "undo exit code" 0 $?
snapshot "$work/after.txt"
if ! cmp -s "$work/before.txt" "$work/after.txt"; then
  echo "FAIL the undo package left the registry changed:"
  diff "$work/before.txt" "$work/after.txt"
  failures=$((failures + 1))
fi

reg delete 'HKCU\Software\TessaryE2E' /f
reg delete 'HKLM\Software\TessaryE2E' /f
[ "$failures" -eq 0 ] && echo "registry e2e passed"
[ "$failures" -eq 0 ]
