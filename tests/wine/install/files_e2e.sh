#!/bin/sh
# The file pass under Wine: a package adds files, replaces an older
# read-only one, leaves a newer one and makes a folder; its undo package then
# leaves the tree as it was, byte for byte, with the same times to the second
# and the same read-only marks.
#   files_e2e.sh TESSARY INSTALL_EXE WINE_PROBE PACKAGES_DIR
# Exits 77 (skipped) when the host tool has not been built.
set -u
. "$(dirname "$0")/e2e_common.sh"

# Every file and folder below the tree: kind, name, size, whole seconds,
# write permission (Wine's read-only mark) and bytes.
snapshot() {  # snapshot FILE
  {
    (cd "$tree" && find . -mindepth 1 -type d -printf 'd %P\n')
    (cd "$tree" && find . -type f -printf 'f %P %s %T@ %M\n' | sed 's/\.[0-9]* / /')
    (cd "$tree" && find . -type f -exec md5sum {} +)
  } | sort >"$1"
}

build_package files
"$WINE_PREFIX_TOOL" version winxp
tree="$WINEPREFIX/drive_c/TessaryE2E"
rm -rf "$tree"
mkdir -p "$tree"
printf 'old on disk\n' >"$tree/old.txt"
touch -d '2001-01-15 10:00:00' "$tree/old.txt"
chmod a-w "$tree/old.txt"
printf 'newer on disk\n' >"$tree/newer.txt"
touch -d '2035-01-15 10:00:00' "$tree/newer.txt"
printf 'the user own\n' >"$tree/mine.txt"
snapshot "$work/before.txt"

temp_dir=$(wine_temp_folder)
rm -f "$temp_dir"/files-un*.exe

timeout 120 "$WINE_RUN" "$work/files.exe" /q /vb:4 >/dev/null 2>&1
check "install exit code" 0 $?
check "older file replaced" "package copy of old" "$(cat "$tree/old.txt")"
check "newer file left" "newer on disk" "$(cat "$tree/newer.txt")"
check "file added" "added by the package" "$(cat "$tree/added.txt")"
check "folder made" "deeper" "$(cat "$tree/Sub/deep.txt")"
check "package's time kept" "$(stat -c %Y "$packages/files/Tree/added.txt")" "$(stat -c %Y "$tree/added.txt")"

if [ ! -s "$temp_dir/files-un01.exe" ]; then
  echo "FAIL no undo package in $temp_dir"; tr -d '\r' <"$temp_dir/nupinst.log" | tail -40
  exit 1
fi
cp "$temp_dir/files-un01.exe" "$work/files-un01.exe"
timeout 120 "$WINE_RUN" "$work/files-un01.exe" /q >/dev/null 2>&1
check "undo exit code" 0 $?
snapshot "$work/after.txt"
if ! cmp -s "$work/before.txt" "$work/after.txt"; then
  echo "FAIL the undo package left the tree changed:"
  diff "$work/before.txt" "$work/after.txt"
  failures=$((failures + 1))
fi
if [ "$failures" -ne 0 ]; then
  echo "--- the log:"; tr -d '\r' <"$temp_dir/nupinst.log" | tail -60
fi
chmod -R u+w "$tree"
rm -rf "$tree"
[ "$failures" -eq 0 ] && echo "files e2e passed: $passed checks"
[ "$failures" -eq 0 ]
