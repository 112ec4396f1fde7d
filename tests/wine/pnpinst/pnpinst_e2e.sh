#!/bin/sh
# pnpinst.exe run for real under Wine: exit codes, and the INF copy that the
# system's setup library makes into its INF folder.
#   pnpinst_e2e.sh PNPINST_EXE
set -u
exe=$1
work=$(mktemp -d "${TMPDIR:-/tmp}/pnpinst.XXXXXX")
trap 'rm -rf "$work"' EXIT
infDir="$WINEPREFIX/drive_c/windows/inf"
failures=0
passed=0

case "$work" in *" "*) echo "work folder has a blank: $work"; exit 1 ;; esac

check() {  # check NAME EXPECTED ACTUAL
  if [ "$2" = "$3" ]; then
    passed=$((passed + 1))
  else
    echo "FAIL $1: expected <$2>, got <$3>"
    failures=$((failures + 1))
  fi
}

winPath() { printf 'Z:%s' "$1" | tr / '\\'; }

run() {  # run ARGS...: the exit code of pnpinst.exe
  "$WINE_RUN" "$exe" "$@" >/dev/null 2>&1
  echo $?
}

# The INF files Wine made from `source` since the listing in $work/before.
copiesOf() {
  ls "$infDir" | grep -i '\.inf$' | sort >"$work/after"
  comm -13 "$work/before" "$work/after" | while read -r name; do
    cmp -s "$1" "$infDir/$name" && echo "$name"
  done
}
snapshot() { ls "$infDir" | grep -i '\.inf$' | sort >"$work/before"; }

writeInf() {  # writeInf FILE VERSION
  printf '[Version]\r\nSignature="$Windows NT$"\r\nClass=System\r\nClassGuid={4D36E97D-E325-11CE-BFC1-08002BE10318}\r\nProvider=%%Maker%%\r\nDriverVer=01/02/2024,%s\r\n\r\n[Strings]\r\nMaker="Tessary test"\r\n' "$2" >"$1"
}

"$WINE_PREFIX_TOOL" version winxp

mkdir -p "$work/drv" "$work/with blank" "$work/other"
writeInf "$work/drv/tessary_pnp_a.inf" 1.0.0.1
writeInf "$work/other/tessary_pnp_b.inf" 2.0.0.2
cp "$work/drv/tessary_pnp_a.inf" "$work/with blank/tessary_pnp_c.inf"
printf 'no sections here\r\n' >"$work/drv/not_an_inf.inf"
infA=$(winPath "$work/drv/tessary_pnp_a.inf")
infB=$(winPath "$work/other/tessary_pnp_b.inf")
infC=$(winPath "$work/with blank/tessary_pnp_c.inf")
notInf=$(winPath "$work/drv/not_an_inf.inf")
drv=$(winPath "$work/drv")

# Lines that must fail before any copy is made, and calls the setup library
# refuses: exit 1 and nothing new in the INF folder.
snapshot
check "empty command line" 1 "$(run)"
check "no command word" 1 "$(run "infPath=$infA" "setupPath=$drv")"
check "missing setupPath" 1 "$(run SetupCopyOEMInf "infPath=$infA")"
check "missing infPath" 1 "$(run SetupCopyOEMInf "setupPath=$drv")"
check "keys in lower case" 1 "$(run SetupCopyOEMInf "infpath=$infA" "setuppath=$drv")"
check "command word in lower case" 1 "$(run setupcopyoeminf "infPath=$infA" "setupPath=$drv")"
# The value stops at the blank, so the path names the folder "...\with".
check "infPath cut at its blank" 1 "$(run SetupCopyOEMInf "infPath=$infC" "setupPath=$drv")"
check "setup library refuses a file that is no INF" 1 \
  "$(run SetupCopyOEMInf "infPath=$notInf" "setupPath=$drv")"
check "missing INF file" 1 "$(run SetupCopyOEMInf "infPath=$drv\\absent.inf" "setupPath=$drv")"
check "nothing copied by failed runs" "" "$(copiesOf "$work/drv/tessary_pnp_a.inf")"

# A typical line: Wine's setup library copies the INF into its INF folder.
snapshot
check "copy of an INF" 0 "$(run SetupCopyOEMInf "infPath=$infA" "setupPath=$drv")"
check "INF folder holds the copy" 1 "$(copiesOf "$work/drv/tessary_pnp_a.inf" | wc -l | tr -d ' ')"

# Both command words, any order: the copy is done, with the copy's keys.
snapshot
check "both command words copy" 0 "$(run "setupPath=$(winPath "$work/other")" \
  UpdateDriverForPlugAndPlayDevices DeviceID=TESSARY\\NONE "infPath=$infB" SetupCopyOEMInf)"
check "INF folder holds the second copy" 1 \
  "$(copiesOf "$work/other/tessary_pnp_b.inf" | wc -l | tr -d ' ')"

# The device-update function is found and called. Wine reports success when
# no present device matches (Windows would not), so a complete line exits 0
# here; a missing library or function would give 1.
check "update driver called" 0 \
  "$(run UpdateDriverForPlugAndPlayDevices DeviceID=TESSARY\\NONE "infPath=$infA")"
check "update driver without DeviceID" 1 "$(run UpdateDriverForPlugAndPlayDevices "infPath=$infA")"
check "update driver without infPath" 1 "$(run UpdateDriverForPlugAndPlayDevices DeviceID=X)"

# Long and odd lines: a clean 1, never a crash code.
long=$(head -c 30000 /dev/zero | tr '\0' 'x')
value=$(head -c 15000 /dev/zero | tr '\0' 'x')
keys=$(i=0; while [ $i -lt 2000 ]; do printf 'infPath='; i=$((i + 1)); done)
check "long line without blanks" 1 "$(run "SetupCopyOEMInf$long")"
check "repeated keys without setupPath" 1 "$(run SetupCopyOEMInf "$keys")"
check "long values" 1 "$(run SetupCopyOEMInf "infPath=$value" "setupPath=$value")"

echo "$passed passed, $failures failed"
[ "$failures" -eq 0 ]
