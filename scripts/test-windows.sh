#!/usr/bin/env bash
# Builds everything for Windows with mingw-w64 (build-windows/) and runs
# every test under Wine: headless, in a Wine prefix made for the run in a
# temporary folder, with the registry values that the tests read written
# into it by "wine reg add"; then the Linux and the Windows build of
# trackdiff on the same logs (tests/crossbuild/).
#   scripts/test-windows.sh
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-windows-deps.sh

build=build-windows
jobs=$(nproc 2>/dev/null || echo 4)
cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" -j "$jobs"

work=$(mktemp -d)
export WINEPREFIX="$work/wine"
export WINEARCH=win64
export WINEDEBUG=-all
# No Mono or Gecko installer: nothing here needs .NET or a browser engine.
export WINEDLLOVERRIDES="mscoree=;mshtml="
# Headless: no display, and the programs' boxes and choosers on the console.
unset DISPLAY WAYLAND_DISPLAY
export BREMALO_NO_GUI=1
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap cleanup EXIT

# The prefix, and a server that stays up for the whole run with the
# prefix's services already started: a service started by a test program
# would keep its output pipe open and hold up the test's end.
wineboot --init </dev/null >/dev/null 2>&1
wineserver -w
wineserver -p
wine cmd /c exit </dev/null >/dev/null 2>&1

reg() { wine reg add "$@" /f </dev/null >/dev/null 2>&1; }
k='HKCU\Software\BremaloTest'
reg "$k" /ve /d "the default"
reg "$k" /v InstallDir /d 'C:\Condor3'
reg "$k" /v Personal /t REG_EXPAND_SZ /d '%USERPROFILE%\Documents'
# "Jean Dupr" and e acute: Wine takes the argument in the host's UTF-8.
LC_ALL=C.UTF-8 wine reg add "$k" /v Player /d "$(printf 'Jean Dupr\303\251')" /f </dev/null >/dev/null 2>&1
reg "$k" /v Count /t REG_DWORD /d 3
reg "$k" /v Long /d "$(printf 'L%.0s' $(seq 300))"
reg 'HKCR\.bremalotest' /ve /d Bremalo.Track

# A version-3 installation of the simulator on drive C:, its last pilot and
# the documents folder through a variable.
reg 'HKCU\SOFTWARE\Condor3' /v InstallDir /d 'C:\BremaloTest\Condor3'
reg 'HKCU\SOFTWARE\Condor3' /v LastPlayer /d 'Jean Pilot'
reg 'HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\User Shell Folders' \
  /v Personal /t REG_EXPAND_SZ /d '%USERPROFILE%\Documents'
condor="$WINEPREFIX/drive_c/BremaloTest/Condor3"
mkdir -p "$condor/Logs"
printf 'MZ' > "$condor/Condor.exe"
printf 'Log started\r\n\r\nCondor version: 3040\r\n' > "$condor/Logs/Logfile.txt"

ctest --test-dir "$build" --output-on-failure -j "$jobs" </dev/null

# The same logs through the Linux and the Windows build of trackdiff.
linux_trackdiff=build/trackdiff/trackdiff
if [ ! -x "$linux_trackdiff" ]; then
  cmake -S . -B build-crossbuild -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBREMALO_TESTS=OFF >/dev/null
  cmake --build build-crossbuild --target trackdiff -j "$jobs" >/dev/null
  linux_trackdiff=build-crossbuild/trackdiff/trackdiff
fi
bash tests/crossbuild/compare_trackdiff.sh "$linux_trackdiff" "$build/trackdiff/trackdiff.exe"
