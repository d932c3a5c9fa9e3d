#!/usr/bin/env bash
# Makes sure the build tools and test libraries are present. On Debian, run
# as root, the missing ones are installed with apt-get; elsewhere it says
# what to install.
set -euo pipefail

missing=()
command -v cmake >/dev/null 2>&1 || missing+=(cmake)
command -v g++ >/dev/null 2>&1 || missing+=(g++)
command -v make >/dev/null 2>&1 || missing+=(make)
[ -f /usr/include/gtest/gtest.h ] || missing+=(libgtest-dev)
[ -f /usr/include/GeographicLib/TransverseMercatorExact.hpp ] || missing+=(libgeographiclib-dev)

[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" = 0 ] && command -v apt-get >/dev/null 2>&1; then
  echo "installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq "${missing[@]}"
else
  echo "missing: ${missing[*]}" >&2
  echo "install them (Debian package names above) and run again" >&2
  exit 1
fi
