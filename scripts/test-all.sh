#!/usr/bin/env bash
# Builds everything and runs every test, as CI does: the Linux tests, the
# same tests under AddressSanitizer and UndefinedBehaviorSanitizer, a
# bounded fuzzing run of the binary and IGC readers, then the Windows build
# with its tests under Wine and the Linux/Windows comparison of the
# programs' outputs.  Each step installs what it needs when it runs as root
# on Debian.  Stops at the first step that fails.
#   scripts/test-all.sh
set -euo pipefail
cd "$(dirname "$0")/.."

step() {
  echo
  echo "=== $1"
  shift
  "$@"
}

step "Linux build and tests" bash scripts/test.sh
step "tests under the sanitizers" bash scripts/test.sh --sanitize
step "bounded fuzzing" bash scripts/fuzz.sh
step "Windows build, tests under Wine, outputs compared with Linux" bash scripts/test-windows.sh
echo
echo "test-all.sh: every step passed"
