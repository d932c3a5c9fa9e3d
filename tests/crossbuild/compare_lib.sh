# Shared by the scripts that compare the Linux and the Windows build (sourced,
# not run).  Wine runs the Windows programs, in the WINEPREFIX of the caller.

# wine_run PROGRAM.exe ARGS...: runs the Windows program under Wine, started
# again when Wine ended it before it had started (scripts/wine-run.sh).
compare_lib_wine_run=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../scripts" && pwd)/wine-run.sh
wine_run() {
    bash "$compare_lib_wine_run" wine "$@"
}

# own_copy PROGRAM FOLDER: copies PROGRAM into FOLDER (made anew) and prints
# the copy's path.  The programs write their error log beside themselves:
# run from a copy in the comparison's temporary folder, they leave none in
# the build.
own_copy() {
    mkdir "$2"
    cp "$1" "$2/"
    printf '%s\n' "$2/${1##*/}"
}

# trackdiff_pair LINUX_TRACKDIFF WINDOWS_TRACKDIFF_EXE A B [statistics]
# Runs both builds of trackdiff on the logs A and B in the working folder:
# the reports must be byte-identical, the consoles the same line for line
# (the Windows console ends its lines CR LF) and the exit statuses equal.
# With "statistics", the consoles are compared from the counts on (the
# lines before them trace the flight plan that a simulator's log carries,
# with the paths of each platform).  Says what differs and returns 1, else
# says that both agree.
trackdiff_pair() {
    local linux=$1 windows=$2 a=$3 b=$4 part=${5:-whole} fail=0 st_l=0 st_w=0 report
    rm -f ./*_igc_diff.txt linux.report windows.report
    "$linux" "$a" "$b" > linux.out 2>&1 </dev/null || st_l=$?
    report=$(ls ./*_igc_diff.txt 2>/dev/null || true)
    [ -n "$report" ] && mv "$report" linux.report
    wine_run "$windows" "$a" "$b" > windows.out 2>/dev/null </dev/null || st_w=$?
    report=$(ls ./*_igc_diff.txt 2>/dev/null || true)
    [ -n "$report" ] && mv "$report" windows.report
    tr -d '\r' < windows.out > windows.lf
    if [ "$part" = statistics ]; then
        sed -n '/^ time matches /,$p' linux.out > linux.part && mv linux.part linux.out
        sed -n '/^ time matches /,$p' windows.lf > windows.part && mv windows.part windows.lf
        [ -s linux.out ] || { echo "trackdiff $a $b: no counts on the console"; fail=1; }
    fi
    if [ "$st_l" != "$st_w" ]; then echo "trackdiff $a $b: exit status $st_l on Linux, $st_w on Windows"; fail=1; fi
    if ! diff linux.out windows.lf > console.diff; then
        echo "trackdiff $a $b: the consoles differ:"; head -20 console.diff; fail=1
    fi
    if [ -f linux.report ] || [ -f windows.report ]; then
        if ! cmp -s linux.report windows.report; then echo "trackdiff $a $b: the reports differ"; fail=1; fi
    fi
    rm -f linux.report windows.report linux.out windows.out windows.lf console.diff
    [ $fail = 0 ] && echo "trackdiff $a $b: the same on Linux and Windows (status $st_l)"
    return $fail
}
