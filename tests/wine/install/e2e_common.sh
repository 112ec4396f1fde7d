# Shared start of the package tests under Wine, sourced by each script:
#   . e2e_common.sh TESSARY INSTALL_EXE WINE_PROBE PACKAGES_DIR
# sets tool, install_exe, probe, packages, work (removed at exit), failures,
# passed and check(); exits 77 (skipped) when the host tool is not built.
tool=$1
install_exe=$2
probe=$3
packages=$4
if [ ! -x "$tool" ]; then
  echo "SKIP: no host tessary tool at <$tool>; build the host preset or set TESSARY_HOST_TOOL"
  exit 77
fi
work=$(mktemp -d)
# One X server for the whole script: a private one per program would leave
# Wine's desktop process tied to a display that is gone when the next
# program starts, and that program then gets no windows at all.
xvfb_pid=
if [ -z "${DISPLAY:-}" ] && command -v Xvfb >/dev/null 2>&1; then
  Xvfb -displayfd 1 -nolisten tcp >"$work/display" 2>/dev/null &
  xvfb_pid=$!
  for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
  DISPLAY=":$(cat "$work/display")"
  export DISPLAY
fi
finish() {
  wineserver -w 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap finish EXIT
failures=0
passed=0

check() {  # check NAME EXPECTED ACTUAL
  if [ "$2" = "$3" ]; then
    passed=$((passed + 1))
  else
    printf 'FAIL %s: expected <%s>, got <%s>\n' "$1" "$2" "$3"
    failures=$((failures + 1))
  fi
}

build_package() {  # build_package NAME: packages/NAME.toml -> $work/NAME.exe
  if ! "$tool" build "$packages/$1.toml" -o "$work/$1.exe" --stub "$install_exe" >"$work/build.out" 2>&1; then
    echo "FAIL building $1.toml:"; cat "$work/build.out"
    exit 1
  fi
}

# The temporary folder of the prefix's user, where runs put logs and undo packages.
wine_temp_folder() {
  temp_win=$(timeout 60 "$WINE_RUN" "$probe" tempfolder 2>/dev/null | tr -d '\r')
  winepath -u "$temp_win" 2>/dev/null
}
