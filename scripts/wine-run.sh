#!/usr/bin/env bash
# Runs a Windows program under Wine, and starts it again when Wine ended it
# before it had started:
#   scripts/wine-run.sh WINE PROGRAM.exe ARGS...
# Under load, Wine now and then ends a program before its main() has run,
# with a status that is not 0 and not a byte written (seen here about once
# in three thousand runs of the test programs).  The test programs and the
# programs themselves always write something when they run, so a run that
# failed in silence never started: it made no file either, and starting it
# again changes nothing.  It is started at most three times in all, with a
# line on standard error each time.  A run that wrote anything keeps its
# status: a test that fails is never run again.
# The ctest runs of the Windows build (cmake/mingw-w64.cmake) and the
# scripts that run the Windows programs go through this.  Standard output
# and standard error are passed on once the program has ended, each whole.
set -u

wine=$1
shift
out=$(mktemp) || exit 1
err=$(mktemp) || { rm -f "$out"; exit 1; }
trap 'rm -f "$out" "$err"' EXIT
# A test that overruns its time is ended by ctest with a signal: the
# program goes with this script.  It runs in the background so that the
# signal is seen at once; its standard input stays that of the script.
pid=
trap '[ -z "$pid" ] || kill "$pid" 2>/dev/null; exit 143' TERM INT HUP

for try in 1 2 3; do
  "$wine" "$@" <&0 >"$out" 2>"$err" &
  pid=$!
  wait "$pid"
  st=$?
  pid=
  if [ "$st" = 0 ] || [ -s "$out" ] || [ -s "$err" ] || [ "$try" = 3 ]; then break; fi
  echo "wine-run.sh: $1 ended with status $st before it wrote anything (try $try of 3), started again" >&2
done
cat "$out"
cat "$err" >&2
exit "$st"
