#!/usr/bin/env bash
# Makes sure the tools of the Windows cross build and of its test run are
# present: the mingw-w64 compilers (POSIX thread model), GoogleTest's
# sources (built with them) and Wine.  On Debian, run as root, the missing
# ones are installed with apt-get; elsewhere it says what to install.
set -euo pipefail

missing=()
command -v cmake >/dev/null 2>&1 || missing+=(cmake)
command -v make >/dev/null 2>&1 || missing+=(make)
command -v x86_64-w64-mingw32-g++-posix >/dev/null 2>&1 || missing+=(g++-mingw-w64-x86-64-posix)
[ -f /usr/src/googletest/googletest/CMakeLists.txt ] || missing+=(googletest)
command -v wine >/dev/null 2>&1 || missing+=(wine)
[ -x /usr/lib/wine/wine64 ] || missing+=(wine64)

[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" = 0 ] && command -v apt-get >/dev/null 2>&1; then
  echo "installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  # Wine recommends a desktop's worth of packages that the tests do not need.
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
else
  echo "missing: ${missing[*]}" >&2
  echo "install them (Debian package names above) and run again" >&2
  exit 1
fi
