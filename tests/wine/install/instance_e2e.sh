#!/bin/sh
# One package at a time: the single-instance mutex between two real processes.
#   instance_e2e.sh WINE_PROBE
set -u
probe=$1
work=$(mktemp -d)
trap 'touch "$work/release"; rm -rf "$work"' EXIT
failures=0

check() {  # check NAME EXPECTED ACTUAL
  if [ "$2" != "$3" ]; then
    echo "FAIL $1: expected <$2>, got <$3>"
    failures=$((failures + 1))
  fi
}

name="TessaryInstanceTest$$"
release_win=$(winepath -w "$work/release" 2>/dev/null)
"$WINE_RUN" "$probe" mutex "$name" "$release_win" >"$work/first" 2>/dev/null &
first=$!
i=0
while ! grep -q . "$work/first" 2>/dev/null && [ $i -lt 600 ]; do sleep 0.1; i=$((i + 1)); done
check "first instance" Taken "$(tr -d '\r' <"$work/first")"
check "second instance while the first runs" HeldElsewhere "$("$WINE_RUN" "$probe" mutex "$name" 2>/dev/null | tr -d '\r')"
touch "$work/release"
wait $first
check "next instance once the first has ended" Taken "$("$WINE_RUN" "$probe" mutex "$name" 2>/dev/null | tr -d '\r')"

if [ $failures -ne 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "instance checks passed"
