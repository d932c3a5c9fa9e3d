#!/usr/bin/env bash
# Builds everything for Windows with mingw-w64 (build-windows/) and runs
# every test under Wine: headless, in two Wine prefixes made for the run in
# a temporary folder, one with the simulator installed and the registry
# values that the tests read written into it by "wine reg add", one
# without it for the end-to-end tests of the converter and trackdiff on
# such a machine; then the programs as installed into a fresh prefix
# (tests/installed/), both programs under a file-size limit that makes
# their writes fail part way (tests/windows/write_failures.sh), four runs
# of the converter at once into one folder
# (tests/windows/concurrent_runs.sh), the converter ended by Ctrl-C and
# run beside leftovers of killed runs (tests/windows/stops.sh), and the
# Linux and the Windows build of the converter on the same tracks and of
# trackdiff on the same logs
# (tests/crossbuild/).
# The Linux programs are those of build/ when it is there.  The run fails
# too when it leaves files behind outside the folders it removes.  Every
# Windows program, the tests' among them, runs through scripts/wine-run.sh,
# which starts it again when Wine ended it before it had started.
#   scripts/test-windows.sh
set -euo pipefail
cd "$(dirname "$0")/.."
# A command that stops the run says so on the standard output, where the
# steps' own messages are: many of the steps below keep their output back.
trap 'failed=$?; echo "test-windows.sh: line $LINENO: \"$BASH_COMMAND\" ended with status $failed"' ERR

bash scripts/install-windows-deps.sh

build=build-windows
jobs=$(nproc 2>/dev/null || echo 4)
# Optimised as the Linux build (-O2), but without debug information: the
# Windows build is only run by these tests, and without it its objects are
# a tenth and its programs a third of the size, quicker to link and load.
cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O2 -DNDEBUG" -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -DNDEBUG"
cmake --build "$build" -j "$jobs"

work=$(mktemp -d)
installed="$work/wine"
bare="$work/wine-bare"
export WINEPREFIX="$installed"
export WINEARCH=win64
export WINEDEBUG=-all
# No Mono or Gecko installer: nothing here needs .NET or a browser engine.
# No menu builder: it would put the prefixes' programs and file types into
# the desktop's menus and file associations in the home folder.
export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d"
# The Wine servers' folders (Debian's Wine makes a new one for each prefix
# in TMPDIR) and the Linux programs' temporary files go into this run's
# folder.  The desktop's menus and file associations too, should anything
# still write them: the run fails when it finds any there.
export TMPDIR="$work/tmp"
export XDG_CONFIG_HOME="$work/xdg-config" XDG_DATA_HOME="$work/xdg-data"
mkdir "$TMPDIR" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME"
# Headless: no display, and the programs' boxes and choosers on the console.
unset DISPLAY WAYLAND_DISPLAY
export BREMALO_NO_GUI=1
cleanup() {
  WINEPREFIX="$installed" wineserver -k >/dev/null 2>&1 || true
  WINEPREFIX="$bare" wineserver -k >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap cleanup EXIT

wine_run=(bash "$PWD/scripts/wine-run.sh" wine)
# quiet COMMAND...: runs a step whose output is of no interest when it
# succeeds; when it fails, its output is shown and the run stops.
quiet() {
  local st=0
  "$@" </dev/null >"$work/step.txt" 2>&1 || st=$?
  [ "$st" = 0 ] && return 0
  echo "test-windows.sh: \"$*\" ended with status $st; its output:"
  cat "$work/step.txt"
  exit "$st"
}

# Two prefixes: one where the simulator is installed (with the registry
# values that the Windows tests read), one without it for the end-to-end
# tests of the converter and trackdiff on such a machine (ctest label
# "no_simulator").  The second is a copy of the first made before anything
# is installed: quicker than a second "wineboot --init".
quiet "${wine_run[@]}" wineboot --init
wineserver -w
cp -a "$installed" "$bare"
# A server that stays up for the whole run in each prefix, with the
# prefix's services already started: a service started by a test program
# would keep its output pipe open and hold up the test's end.
for prefix in "$installed" "$bare"; do
  WINEPREFIX="$prefix" wineserver -p
  quiet env WINEPREFIX="$prefix" "${wine_run[@]}" cmd /c exit
done

reg() { quiet "${wine_run[@]}" reg add "$@" /f; }
k='HKCU\Software\BremaloTest'
reg "$k" /ve /d "the default"
reg "$k" /v InstallDir /d 'C:\Condor3'
reg "$k" /v Personal /t REG_EXPAND_SZ /d '%USERPROFILE%\Documents'
# "Jean Dupr" and e acute: Wine takes the argument in the host's UTF-8.
quiet env LC_ALL=C.UTF-8 "${wine_run[@]}" reg add "$k" /v Player /d "$(printf 'Jean Dupr\303\251')" /f
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

. scripts/leftovers.sh
stamp="$build/tests-began.stamp"
touch "$stamp"

# Both sets of tests at once, each prefix with its own server.  The test
# programs' lists of tests are made once before (ctest makes them when it
# loads the tests, and two runs making them at once could read each
# other's half-written lists).
quiet ctest --test-dir "$build" -N
st=0
WINEPREFIX="$bare" ctest --test-dir "$build" --output-on-failure -j "$jobs" -L no_simulator </dev/null \
  > "$work/no_simulator.log" 2>&1 &
bare_tests=$!
ctest --test-dir "$build" --output-on-failure -j "$jobs" -LE no_simulator </dev/null || st=1
wait "$bare_tests" || st=1
echo "--- the end-to-end tests without the simulator (prefix without it):"
cat "$work/no_simulator.log"
[ "$st" = 0 ] || { echo "Windows tests failed" >&2; exit 1; }

# The Windows programs as "cmake --install" puts them into a fresh prefix,
# run from there on the sample track in the prefix without the simulator.
WINEPREFIX="$bare" bash tests/installed/installed_programs.sh cmake "$build" samples/sample.ftr .exe \
  "${wine_run[@]}"

# Both programs with a file-size limit set from here, so that their writes
# fail part way: the earlier files stay.  In the prefix without the
# simulator, whose server runs already (the limit is the programs' alone).
WINEPREFIX="$bare" bash tests/windows/write_failures.sh "$build/converter/Bremalo.exe" \
  "$build/trackdiff/trackdiff.exe"

# Four runs of the converter at once into one output folder, ten rounds:
# each run replaces files the others hold open for a moment.
WINEPREFIX="$bare" bash tests/windows/concurrent_runs.sh "$build/converter/Bremalo.exe"

# The converter ended by Ctrl-C while it writes leaves no temporary file,
# and leftovers of killed runs stop no run.
WINEPREFIX="$bare" bash tests/windows/stops.sh "$build/converter/Bremalo.exe" "$build/tests/write_long_track.exe"

# The same tracks through the Linux and the Windows build of the converter,
# and the same logs through both builds of trackdiff.  The Linux programs
# are brought up to date in build/ when it is there (a stale one would
# differ from the sources), else built in build-crossbuild/.
linux_build=build
if [ ! -f "$linux_build/CMakeCache.txt" ]; then
  linux_build=build-crossbuild
  cmake -S . -B "$linux_build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBREMALO_TESTS=OFF >/dev/null
fi
cmake --build "$linux_build" --target Bremalo trackdiff -j "$jobs" >/dev/null
WINEPREFIX="$bare" bash tests/crossbuild/compare_bremalo.sh "$linux_build/converter/Bremalo" \
  "$build/converter/Bremalo.exe" "$build/tests/write_crossbuild_tracks.exe" \
  "$linux_build/trackdiff/trackdiff" "$build/trackdiff/trackdiff.exe"
bash tests/crossbuild/compare_trackdiff.sh "$linux_build/trackdiff/trackdiff" "$build/trackdiff/trackdiff.exe"

# What the run left: files in the prefixes' temporary folders (looked at
# with their servers ended, so that no file deleted on close is still being
# deleted), the desktop's menus and file associations, the programs' own
# files in the checkout (the builds' folders among them) or the home folder.
st=0
for prefix in "$installed" "$bare"; do
  WINEPREFIX="$prefix" wineserver -k >/dev/null 2>&1 || true
  WINEPREFIX="$prefix" wineserver -w || true
  for temp in "$prefix"/drive_c/users/*/Temp; do
    left_behind test-windows.sh "in Wine's temporary folder" "$(contents "$temp")" || st=1
  done
done
left_behind test-windows.sh "as desktop menus or file associations" \
  "$(contents "$XDG_CONFIG_HOME"; contents "$XDG_DATA_HOME")" || st=1
left_behind test-windows.sh "in the checkout or the home folder" \
  "$(program_files "$stamp" .; program_files "$stamp" "$HOME" -maxdepth 1)" || st=1
exit $st
