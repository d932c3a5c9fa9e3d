#!/usr/bin/env bash
# Makes sure the build tools, the test libraries and the IGC readers of the
# interoperability tests are present. On Debian, run as root, the missing
# ones are installed with apt-get; elsewhere it says what to install.
#   scripts/install-deps.sh [BUILD]
# With a build folder, the pinned igc-parser package (tests/interop/) is
# installed with npm into BUILD/interop.
set -euo pipefail
cd "$(dirname "$0")/.."

missing=()
command -v cmake >/dev/null 2>&1 || missing+=(cmake)
command -v g++ >/dev/null 2>&1 || missing+=(g++)
command -v make >/dev/null 2>&1 || missing+=(make)
[ -f /usr/include/gtest/gtest.h ] || missing+=(libgtest-dev)
[ -f /usr/include/GeographicLib/TransverseMercatorExact.hpp ] || missing+=(libgeographiclib-dev)
# The end-to-end tests run the converter and trackdiff as an unprivileged
# user through it.
command -v setpriv >/dev/null 2>&1 || missing+=(util-linux)

# The IGC readers: the tests skip without them, except under CI.
readers=()
command -v gpsbabel >/dev/null 2>&1 || readers+=(gpsbabel)
command -v node >/dev/null 2>&1 || command -v nodejs >/dev/null 2>&1 || readers+=(nodejs)
command -v npm >/dev/null 2>&1 || readers+=(npm)

wanted=("${missing[@]}" "${readers[@]}")
if [ ${#wanted[@]} -gt 0 ]; then
  if [ "$(id -u)" = 0 ] && command -v apt-get >/dev/null 2>&1; then
    echo "installing: ${wanted[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq "${wanted[@]}"
  elif [ ${#missing[@]} -gt 0 ]; then
    echo "missing: ${wanted[*]}" >&2
    echo "install them (Debian package names above) and run again" >&2
    exit 1
  else
    echo "missing IGC readers: ${readers[*]} (Debian package names); their tests will be skipped" >&2
  fi
fi

# igc-parser, pinned by tests/interop/package-lock.json, into the build.
# npm's cache and its logs go into the same folder, not into ~/.npm.
if [ $# -ge 1 ] && command -v npm >/dev/null 2>&1; then
  dir="$1/interop"
  mkdir -p "$dir"
  if ! cmp -s tests/interop/package-lock.json "$dir/installed-lock.json" ||
     [ ! -f "$dir/node_modules/igc-parser/package.json" ]; then
    cp tests/interop/package.json tests/interop/package-lock.json "$dir/"
    rm -f "$dir/installed-lock.json"
    if (cd "$dir" && npm ci --no-audit --no-fund --ignore-scripts --loglevel=error --cache "$PWD/npm-cache"); then
      cp tests/interop/package-lock.json "$dir/installed-lock.json"
    else
      echo "install-deps.sh: npm could not install igc-parser into $dir" >&2
    fi
  fi
fi
