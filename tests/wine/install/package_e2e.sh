#!/bin/sh
# Packages built by the tessary tool, installed for real by install.exe under
# Wine; each case reads back the log the run left in the temporary folder.
#   package_e2e.sh TESSARY INSTALL_EXE WINE_PROBE PACKAGES_DIR
# Exits 77 (skipped) when the host tool has not been built.
set -u
. "$(dirname "$0")/e2e_common.sh"
tab=$(printf '\t')

yesno() { if "$@"; then echo yes; else echo no; fi; }

# A hung dialog must fail the case, not the whole ctest run.
install() {  # install PACKAGE SWITCHES... ; sets $code
  timeout 120 "$WINE_RUN" "$@" >/dev/null 2>&1
  code=$?
}

build() {  # build NAME: packages/NAME.toml -> $work/NAME.exe
  if ! "$tool" build "$packages/$1.toml" -o "$work/$1.exe" --stub "$install_exe" >"$work/build.out" 2>&1; then
    echo "FAIL building $1.toml:"; cat "$work/build.out"
    failures=$((failures + 1))
  fi
}

# Switches Wine's Windows version and empties the run's temporary folder, so
# that a case sees only its own log and undo packages.
fresh() {  # fresh VERSION
  "$WINE_PREFIX_TOOL" version "$1"
  temp_win=$(timeout 60 "$WINE_RUN" "$probe" tempfolder 2>/dev/null | tr -d '\r')
  temp_dir=$(realpath -m "$(winepath -u "$temp_win" 2>/dev/null)")
  case "$temp_dir" in
    "$(realpath -m "$WINEPREFIX")"/drive_c/*) ;;
    *) printf 'FAIL temporary folder under %s: <%s> is not inside %s/drive_c\n' "$1" "$temp_win" "$WINEPREFIX"
       exit 1 ;;
  esac
  rm -rf "$temp_dir"
  log="$temp_dir/nupinst.log"
}

has_line() {  # has_line TEXT: the log holds TEXT as a whole line
  tr -d '\r' <"$log" 2>/dev/null | grep -qxF "$1"
}

count_lines() {  # count_lines TEXT
  tr -d '\r' <"$log" 2>/dev/null | grep -cxF "$1"
}

# The two last non-empty lines: LAST-BUT-ONE|LAST
log_end() {
  tr -d '\r' <"$log" 2>/dev/null | grep -v '^$' | tail -2 | tr '\n' '|'
}

crlf_only() {  # every line feed of the log comes after a carriage return
  [ -s "$log" ] && [ "$(wc -l <"$log")" = "$(tr -dc '\r' <"$log" | wc -c)" ]
}

header_count() {  # header_count NAME: "=====<tab>DATE  NAME.exe<tab>====="
  tr -d '\r' <"$log" 2>/dev/null | grep -c "^=====${tab}.*  $1\.exe${tab}=====\$"
}

for name in ok only2000 regcond; do build "$name"; done

# A package that passes every check: the log in order, and an undo package
# next to the log for each run, counted from 01.
for version in winxp win98; do
  fresh "$version"
  install "$work/ok.exe" /q
  check "ok.exe under $version: exit code" 0 "$code"
  check "ok.exe under $version: one header" 1 "$(header_count ok)"
  for line in "NOTE!  All install conditions were met." \
              "NUP Title: Wine Test" \
              "Switches used were: /q" \
              "This NUP will affect the following users:  Current User." \
              " Tessary process complete."; do
    check "ok.exe under $version: line <$line>" yes "$(yesno has_line "$line")"
  done
  check "ok.exe under $version: no exit line after a normal end" 0 "$(count_lines "Exiting with error code 0.")"
  check "ok.exe under $version: closing banner last" yes \
    "$(log_end | grep -q "^ Tessary process complete.|=====${tab}.*${tab}=====|\$" && echo yes || echo no)"
  check "ok.exe under $version: CR LF line ends" yes "$(yesno crlf_only)"
  check "ok.exe under $version: undo package 01" yes "$(yesno test -s "$temp_dir/ok-un01.exe")"
  install "$work/ok.exe" /q
  check "ok.exe under $version, second run: exit code" 0 "$code"
  check "ok.exe under $version, second run: two headers" 2 "$(header_count ok)"
  check "ok.exe under $version, second run: undo package 02" yes "$(yesno test -s "$temp_dir/ok-un02.exe")"
  check "ok.exe under $version: undo package 01 kept" yes "$(yesno test -s "$temp_dir/ok-un01.exe")"
done
# The undo package is itself a whole package the tool can read back.
"$tool" verify "$temp_dir/ok-un01.exe" >"$work/verify.out" 2>&1
check "undo package verifies" 0 $?
[ $failures -eq 0 ] || cat "$work/verify.out"

# vb:0 writes no log at all, yet the run is the same.
fresh winxp
install "$work/ok.exe" /q /vb:0
check "ok.exe /vb:0: exit code" 0 "$code"
check "ok.exe /vb:0: no log" no "$(yesno test -e "$log")"

# A simulation whose log folder does not exist logs under the same name in
# the temporary folder, changes nothing and writes no undo package.
fresh winxp
install "$work/ok.exe" /q '/si:C:\no such folder\sim.log'
check "ok.exe /si: exit code" 0 "$code"
log="$temp_dir/sim.log"
for line in "************    SIMULATED INSTALLATION    ************" \
            "************    SIMULATING FILE OPERATIONS IN NUP    ************" \
            "************    NUP INSTALL COMPLETE    ************" \
            " Tessary process complete."; do
  check "ok.exe /si: line <$line>" yes "$(yesno has_line "$line")"
done
check "ok.exe /si: no nupinst.log" no "$(yesno test -e "$temp_dir/nupinst.log")"
check "ok.exe /si: no undo package" no "$(yesno test -e "$temp_dir/ok-un01.exe")"

# Minimized: no dialog, a notification icon instead; the run still completes.
fresh winxp
install "$work/ok.exe" /qm
check "ok.exe /qm: exit code" 0 "$code"
check "ok.exe /qm: completes" yes "$(yesno has_line " Tessary process complete.")"
check "ok.exe /qm: switches logged" yes "$(yesno has_line "Switches used were: /qm")"
check "ok.exe /qm: undo package 01" yes "$(yesno test -s "$temp_dir/ok-un01.exe")"

# A package for 2000 alone refuses XP with code 18 and names the systems.
fresh winxp
install "$work/only2000.exe" /q
check "only2000.exe under winxp: exit code" 18 "$code"
check "only2000.exe under winxp: refusal" yes \
  "$(yesno has_line "This NUP is designed to run on the following operating systems:")"
check "only2000.exe under winxp: the systems named" yes "$(yesno has_line " Windows 2000")"
check "only2000.exe under winxp: log ends with the code, then the banner" yes \
  "$(log_end | grep -q "^Exiting with error code 18\.|=====${tab}.*${tab}=====|\$" && echo yes || echo no)"
check "only2000.exe under winxp: never completes" 0 "$(count_lines " Tessary process complete.")"
check "only2000.exe under winxp: no undo package" no "$(yesno test -e "$temp_dir/only2000-un01.exe")"
check "only2000.exe under winxp: CR LF line ends" yes "$(yesno crlf_only)"

# A registry condition on a key no computer has: code 22. Quiet runs log the
# said text in place of the message box, and the summary line.
fresh winxp
install "$work/regcond.exe" /q
check "regcond.exe: exit code" 22 "$code"
check "regcond.exe: registry condition said" yes "$(yesno has_line \
  "The registry install conditions were not met. This NUP will not execute until the conditions are met.")"
check "regcond.exe: summary" yes "$(yesno has_line "NUP FAILURE!  Install condition(s) listed above not met.")"
check "regcond.exe: log ends with the code, then the banner" yes \
  "$(log_end | grep -q "^Exiting with error code 22\.|=====${tab}.*${tab}=====|\$" && echo yes || echo no)"
check "regcond.exe: conditions not reported as met" 0 "$(count_lines "NOTE!  All install conditions were met.")"

# A damaged package: the archive cut in half, or only its last bytes lost.
# The run ends with code 1 ("nothing to process"), never with a crash.
stub_size=$(wc -c <"$install_exe")
pkg_size=$(wc -c <"$work/ok.exe")
archive_size=$((pkg_size - stub_size))
head -c $((stub_size + archive_size / 2)) "$work/ok.exe" >"$work/cut.exe"
head -c $((pkg_size - 16)) "$work/ok.exe" >"$work/tail.exe"
for damaged in cut tail; do
  fresh winxp
  install "$work/$damaged.exe" /q
  check "damaged package ($damaged): exit code" 1 "$code"
  check "damaged package ($damaged): no undo package" no "$(yesno test -e "$temp_dir/$damaged-un01.exe")"
done

"$WINE_PREFIX_TOOL" version winxp
echo "$passed passed, $failures failed"
[ "$failures" -eq 0 ]
