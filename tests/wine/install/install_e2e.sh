#!/bin/sh
# install.exe and the Win32 platform layer, run for real under Wine.
#   install_e2e.sh INSTALL_EXE WINE_PROBE
set -u
install_exe=$1
probe=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
passed=0

check() {  # check NAME EXPECTED ACTUAL
  if [ "$2" = "$3" ]; then
    passed=$((passed + 1))
  else
    echo "FAIL $1: expected <$2>, got <$3>"
    failures=$((failures + 1))
  fi
}

# Without a package appended there is nothing to process: exit code 1.
cp "$install_exe" "$work/bare.exe"
"$WINE_RUN" "$work/bare.exe" /q >/dev/null 2>&1
check "install.exe without a package" 1 $?

# An archive without the package's index streams is nothing to process
# either: exit code 1 on every system, and no log. Packages with an index are
# installed by package_e2e.sh.
"$WINE_RUN" "$probe" makepkg "$(winepath -w "$install_exe" 2>/dev/null)" "$(winepath -w "$work/pkg.exe" 2>/dev/null)" >/dev/null 2>&1
check "archive built by the probe" 0 $?
for version in winxp win98; do
  "$WINE_PREFIX_TOOL" version "$version"
  "$WINE_RUN" "$work/pkg.exe" /q >/dev/null 2>&1
  check "install.exe with an archive without index under $version" 1 $?
done

# The run log, "nupinst.log" in the run's temporary folder, is not written
# when there is no package to process.
temp_win=$("$WINE_RUN" "$probe" tempfolder 2>/dev/null | tr -d '\r')
temp_dir=$(winepath -u "$temp_win" 2>/dev/null)
check "temporary folder found" yes "$([ -n "$temp_dir" ] && echo yes || echo no)"
if [ -n "$temp_dir" ]; then
  log="$temp_dir/nupinst.log"
  rm -f "$log"
  "$WINE_RUN" "$work/bare.exe" /q >/dev/null 2>&1
  "$WINE_RUN" "$work/pkg.exe" /q >/dev/null 2>&1
  check "no log without a package" absent "$([ -e "$log" ] && echo present || echo absent)"
fi

# Network discovery reads what the prefix has and never fails.
for version in winxp nt40 win98; do
  "$WINE_PREFIX_TOOL" version "$version"
  check "network discovery answers under $version" yes \
    "$("$WINE_RUN" "$probe" net 2>/dev/null | tr -d '\r' | grep -Eq '^(0|-10[123]) <' && echo yes || echo no)"
done

# The facts of each Windows family that Wine can pretend to be.
for row in "winxp|Windows XP Version: 5 minorVersion: 1 platform: 2 win9x: 0" \
           "win2k|Windows 2000 Version: 5 minorVersion: 0 platform: 2 win9x: 0" \
           "win98|Windows 98 Version: 4 minorVersion: 10 platform: 1 win9x: 1" \
           "win95|Windows 95 Version: 4 minorVersion: 0 platform: 1 win9x: 1" \
           "nt40|Windows NT Version: 4 minorVersion: 0 platform: 2 win9x: 0"; do
  version=${row%%|*}
  expected=${row#*|}
  "$WINE_PREFIX_TOOL" version "$version"
  actual=$("$WINE_RUN" "$probe" os 2>/dev/null | tr -d '\r')
  check "facts under $version" "$expected" "$actual"
done
"$WINE_PREFIX_TOOL" version winxp

# Our splitting of the raw command line equals the C runtime's vector, for
# the lines Wine builds from these arguments (quotes and backslashes escaped).
argv_case() {
  actual=$("$WINE_RUN" "$probe" argv "$@" 2>/dev/null | tr -d '\r' | head -1)
  check "argument vector of: $*" same "$actual"
}
argv_case /q /lv AppDir 'C:\Program Files\App'
argv_case 'a\"b' '"c d"e' '\\server\share' 'x""y' 'tail\'
argv_case '' '/si:C:\logs\run.log' '-cu:ann;bob' 'two  blanks\\'

# The current user's variables come from the real profile: the desktop folder
# lies inside the profile folder the same run reports.
"$WINE_PREFIX_TOOL" version winxp
vars=$("$WINE_RUN" "$probe" vars 2>/dev/null | tr -d '\r')
profile=$(printf '%s\n' "$vars" | sed -n 's/^  profile: //p')
desktop=$(printf '%s\n' "$vars" | sed -n 's/^  \$Desktop\$ *//p')
check "current user's desktop inside the profile" yes \
  "$([ -n "$profile" ] && [ "${desktop#"$profile"\\}" != "$desktop" ] && echo yes || echo no)"

echo "$passed passed, $failures failed"
[ "$failures" -eq 0 ]
