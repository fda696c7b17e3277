# pulsecalc --csv for Windows under Wine writes byte for byte what the
# host build writes, from a file with a Japanese name and from standard input,
# with CRLF line ends and a Ctrl-Z inside a field (both of which text mode would mangle).
set -eu
source "$(dirname "$0")/../lib/common.sh"
source "$(dirname "$0")/../lib/windows.sh"
cd "$(project_root)"
build_pulsecalc_pair
echo "windows-csv: the $windows_bits Windows programs, under $WINELOADER"
work=build/default/windows-csv
mkdir -p "$work"
input="$work/ドライブ.csv"
{
    printf '\xEF\xBB\xBFtype,initial,drive,accel,decel,multiplier,pulses\r\n'
    printf '%s\r\n' \
        '0,100,10000,0.2,,,' \
        '1,100,10000,0.2,,3,' \
        '3,100.9,10000.7,0.123456,0.0005,,1e6' \
        '"a'$'\x1a''b",1,2,3,4,,' \
        '2,100,"10,000",0.2,0.3,9,' \
        '-1,-5e20,3,-1,,8,'
} >"$input"

status=0
"$host" --csv "$input" >"$work/host.csv" || status=$?
[ "$status" -eq 1 ] || { echo "windows-csv: host exit $status, expected 1"; exit 1; }
failed=0
for mode in file stdin; do
    status=0
    if [ "$mode" = file ]; then
        wine_run "$windows" --csv "$input" >"$work/windows.csv" 2>/dev/null || status=$?
    else
        wine_run "$windows" --csv - <"$input" >"$work/windows.csv" 2>/dev/null || status=$?
    fi
    if [ "$status" -ne 1 ] || ! cmp -s "$work/host.csv" "$work/windows.csv"; then
        echo "windows-csv: differs on Windows reading from $mode (exit $status)"
        failed=$((failed + 1))
    fi
done
echo "windows-csv: $((2 - failed)) passed, $failed failed"
[ "$failed" -eq 0 ]
