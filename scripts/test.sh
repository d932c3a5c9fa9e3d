#!/usr/bin/env bash
# Builds everything and runs every test; fails too when the tests leave
# files behind (in their temporary folder, in /tmp, in the checkout or the
# home folder).
#   scripts/test.sh             plain build in build/
#   scripts/test.sh --sanitize  AddressSanitizer + UndefinedBehaviorSanitizer build in build-asan/
set -euo pipefail
cd "$(dirname "$0")/.."

mode=plain
[ "${1:-}" = "--sanitize" ] && mode=sanitize

if [ "$mode" = sanitize ]; then
  build=build-asan
  flags=(-DBREMALO_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug)
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:halt_on_error=1
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
else
  build=build
  flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
fi

bash scripts/install-deps.sh "$build"

jobs=$(nproc 2>/dev/null || echo 4)
cmake -S . -B "$build" "${flags[@]}"
cmake --build "$build" -j "$jobs"

# The tests make their temporary files in a folder of this run (TMPDIR),
# open to the unprivileged user that some of them run programs as, and
# removed at the end.  Whatever they leave in it, GoogleTest capture files
# of this run left in /tmp (then removed), and the programs' own files
# written into the checkout (the build's folders among them) or the home
# folder fail the run.
. scripts/leftovers.sh
run_tmp=$(mktemp -d "${TMPDIR:-/tmp}/bremalo_run_XXXXXX")
trap 'rm -rf "$run_tmp"' EXIT
chmod 1777 "$run_tmp"
stamp="$build/tests-began.stamp"
touch "$stamp"
streams_before=$(gtest_streams)

st=0
TMPDIR="$run_tmp" ctest --test-dir "$build" --output-on-failure -j "$jobs" || st=1

left_behind test.sh "in their temporary folder" "$(contents "$run_tmp")" || st=1
streams=$(new_lines "$streams_before" "$(gtest_streams)" | mentioning "$run_tmp")
left_behind test.sh "in /tmp (now removed)" "$streams" || { st=1; printf '%s\n' "$streams" | xargs -d '\n' rm -f; }
left_behind test.sh "in the checkout or the home folder" \
  "$(program_files "$stamp" .; program_files "$stamp" "$HOME" -maxdepth 1)" || st=1
exit $st
