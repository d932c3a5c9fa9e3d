# The check that a test run leaves nothing behind outside the folders it
# removes (sourced by the test scripts, not run).  Each function prints what
# it found, one path a line; left_behind names them and fails.

# program_files STAMP DIR... [-maxdepth N]: the programs' own files (run
# log, error log, dumps, IGC logs, trackdiff's reports) under the folders
# written since the file STAMP was, sorted.  Git's folder is skipped.
program_files() {
  local stamp=$1
  shift
  find "$@" -name .git -prune -o -type f -newer "$stamp" \( -name Logfile.txt -o -name ErrorLog.txt \
    -o -name 'fort.*' -o -iname '*.igc' -o -name '*_igc_diff.txt' \) -print 2>/dev/null | LC_ALL=C sort
}

# gtest_streams: GoogleTest's capture files.  On Linux it makes them in /tmp
# whatever TMPDIR says, and removes one only when its capture is collected.
gtest_streams() {
  find /tmp -maxdepth 1 -type f -name 'gtest_captured_stream.*' 2>/dev/null | LC_ALL=C sort
}

# new_lines BEFORE AFTER: the lines of the text AFTER that are not in BEFORE
# (both sorted).
new_lines() {
  LC_ALL=C comm -13 <(printf '%s\n' "$1") <(printf '%s\n' "$2") | sed '/^$/d'
}

# mentioning TEXT: of the files named on standard input, those that hold
# TEXT.  Others' test runs make GoogleTest captures in /tmp at the same
# time; a capture of this run shows the run's own temporary folder.
mentioning() {
  local f
  while IFS= read -r f; do
    grep -q -F -e "$1" "$f" 2>/dev/null && printf '%s\n' "$f"
  done
  return 0
}

# contents DIR: everything in DIR (not DIR itself), sorted.
contents() {
  [ -d "$1" ] || return 0
  find "$1" -mindepth 1 2>/dev/null | LC_ALL=C sort
}

# left_behind SCRIPT WHERE LIST: when LIST (one path a line) is not empty,
# says on standard error that the tests left these behind WHERE and
# returns 1.
left_behind() {
  [ -n "$3" ] || return 0
  echo "$1: the tests left behind $2:" >&2
  printf '%s\n' "$3" | sed 's/^/  /' >&2
  return 1
}
