#!/usr/bin/env bash
# scripts/wine-run.sh with a stand-in for wine that fails in silence a
# given number of times before it runs: a run that never started is started
# again, at most three times, and a run that wrote anything, or succeeded,
# is never repeated.  Needs no Wine.
#   tests/windows/wine_run_test.sh
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
wine_run="$here/../../scripts/wine-run.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The stand-in: while the count in its file is above 0, it lowers it and
# ends with status 3 in silence; then it does what its arguments say:
#   ok TEXT      prints TEXT and its standard input, ends with 0
#   fail TEXT    prints TEXT on standard error, ends with 1
#   quiet        prints nothing, ends with 0
#   args A...    prints each argument on a line of its own
cat > "$work/standin" <<'EOF'
#!/usr/bin/env bash
n=$(cat "$STANDIN_COUNT")
if [ "$n" -gt 0 ]; then echo $((n - 1)) > "$STANDIN_COUNT"; exit 3; fi
echo started >> "$STANDIN_STARTS"
case $1 in
  ok) echo "$2"; cat; exit 0 ;;
  fail) echo "$2" >&2; exit 1 ;;
  quiet) exit 0 ;;
  args) shift; printf '[%s]\n' "$@"; exit 0 ;;
esac
EOF
chmod +x "$work/standin"
export STANDIN_COUNT="$work/count" STANDIN_STARTS="$work/starts"
# wine-run.sh keeps the program's output in temporary files of its own.
mkdir "$work/tmp"
export TMPDIR="$work/tmp"

fail=0
# check NAME SILENT_FAILURES STATUS STDOUT STDERR_NOTES STARTS STDIN ARGS...
# Runs the stand-in through wine-run.sh after SILENT_FAILURES failures in
# silence, and expects its status, its standard output, the number of
# "started again" lines on standard error and the number of real starts.
check() {
  local name=$1 silent=$2 want_st=$3 want_out=$4 want_notes=$5 want_starts=$6 input=$7
  shift 7
  echo "$silent" > "$STANDIN_COUNT"
  : > "$STANDIN_STARTS"
  local st=0
  printf '%s' "$input" | bash "$wine_run" "$work/standin" "$@" > "$work/out" 2> "$work/err" || st=$?
  local notes starts
  notes=$(grep -c 'started again' "$work/err" || true)
  starts=$(wc -l < "$STANDIN_STARTS")
  if [ "$st" != "$want_st" ] || [ "$(cat "$work/out")" != "$want_out" ] ||
     [ "$notes" != "$want_notes" ] || [ "$starts" != "$want_starts" ]; then
    echo "wine_run_test: $name: status $st (not $want_st), $notes notes (not $want_notes)," \
         "$starts starts (not $want_starts), output:"
    cat "$work/out" "$work/err"
    fail=1
  fi
}

nl=$'\n'
check "starts at once"                0 0 "hello${nl}input" 0 1 input ok hello
check "started again after one"       1 0 "hello"           1 1 ""    ok hello
check "started again after two"       2 0 "hello${nl}input" 2 1 input ok hello
check "never starts: the last status" 3 3 ""                2 0 ""    ok hello
check "a failure that wrote is kept"  0 1 ""                0 1 ""    fail "it failed"
check "a quiet success is kept"       0 0 ""                0 1 ""    quiet
check "arguments pass unchanged"      1 0 "[a b]${nl}[]${nl}[*]" 1 1 "" args "a b" "" "*"
# The failure's own words reach standard error.
echo 0 > "$STANDIN_COUNT"
bash "$wine_run" "$work/standin" fail "it failed" 2> "$work/err" || true
grep -qx "it failed" "$work/err" || { echo "wine_run_test: the failure's words are lost"; fail=1; }
# Its temporary files are all removed.
left=$(ls -A "$TMPDIR")
[ -z "$left" ] || { echo "wine_run_test: left in its temporary folder: $left"; fail=1; }

[ "$fail" = 0 ] && echo "wine_run_test: every case passed"
exit "$fail"
