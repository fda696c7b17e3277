# pulsecalc --pulses --svg for Windows under Wine prints the same profile
# and writes the same plot, byte for byte, as the host build, into a file with a
# Japanese name that it replaces; a move too short for a plot, and a folder in the
# plot's place, fail alike.
set -eu
source "$(dirname "$0")/../lib/common.sh"
source "$(dirname "$0")/../lib/windows.sh"
cd "$(project_root)"
build_pulsecalc_pair
echo "windows-profile: the $windows_bits Windows programs, under $WINELOADER"
work=build/default/windows-profile
rm -rf "$work"
mkdir -p "$work/host" "$work/windows"
cases=(
    "--type 0 --initial 100 --drive 10000 --accel 0.2 --pulses 10000"
    "--type 1 --initial 3000 --drive 4000000 --accel 2.5 --pulses 2e7"
    "--type 2 --initial 100 --drive 10000 --accel 0.2 --decel 0.3 --pulses 2525"
    "--type 3 --initial 100.9 --drive 10000.7 --accel 0.123456 --decel 0.0005 --pulses 1e6"
    "--type 0 --initial 500 --drive 500 --accel 1 --pulses 1000"
    "--type 3 --initial 100 --drive 10000 --accel 0.2 --decel 0.3 --pulses 1000"
)
passed=0 failed=0
number=0
for arguments in "${cases[@]}"; do
    number=$((number + 1))
    plot="プロット$number.svg"
    # An old plot in place: the new one must replace it (or, for the short move, leave it).
    echo old >"$work/host/$plot"
    echo old >"$work/windows/$plot"
    # Standard output and error are compared apart, and so is the exit status.
    # shellcheck disable=SC2086
    expected=$("$host" $arguments --svg "$work/host/$plot" 2>"$work/expected-stderr"; echo "exit $?")
    # shellcheck disable=SC2086
    actual=$(wine_run "$windows" $arguments --svg "$work/windows/$plot" 2>"$work/actual-stderr"; echo "exit $?")
    expected+=$(cat "$work/expected-stderr")
    # The messages name the path, which differs by its folder only.
    actual+=$(tr -d '\r' <"$work/actual-stderr" | sed "s|$work/windows/|$work/host/|g")
    if [ "$expected" == "$actual" ] && cmp -s "$work/host/$plot" "$work/windows/$plot" &&
        [ "$(ls "$work/host")" == "$(ls "$work/windows")" ]; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        echo "differs on Windows: $arguments"
        echo "  host:    $expected"
        echo "  windows: $actual"
    fi
done
# A folder where the plot should go is refused alike and left as it was.
mkdir -p "$work/host/folder.svg" "$work/windows/folder.svg"
arguments="--type 3 --initial 100 --drive 10000 --accel 0.2 --decel 0.3 --pulses 10000"
# shellcheck disable=SC2086
expected=$("$host" $arguments --svg "$work/host/folder.svg" 2>&1 >/dev/null; echo "exit $?")
# shellcheck disable=SC2086
actual=$(wine_run "$windows" $arguments --svg "$work/windows/folder.svg" 2>&1 >/dev/null | tr -d '\r' |
    sed "s|$work/windows/|$work/host/|g"; echo "exit ${PIPESTATUS[0]}")
if [ "$expected" == "$actual" ] && [ -d "$work/windows/folder.svg" ] && [ -z "$(ls -A "$work/windows/folder.svg")" ] &&
    [[ "$expected" == *"it is a folder, not a file; it was left as it was"* ]]; then
    passed=$((passed + 1))
else
    failed=$((failed + 1))
    echo "differs on Windows: a folder as the plot"
    echo "  host:    $expected"
    echo "  windows: $actual"
fi
# No temporary file is left beside the plots.
if ls "$work/host" "$work/windows" | grep -q '\.part-'; then
    echo "windows-profile: a temporary file was left behind"
    failed=$((failed + 1))
fi
echo "windows-profile: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
