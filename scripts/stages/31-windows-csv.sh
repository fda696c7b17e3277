# pulsecalc --csv for Windows under Wine writes byte for byte what the
# host build writes, from a file with a Japanese name and from standard input,
# with CRLF line ends and a Ctrl-Z inside a field (both of which text mode would mangle),
# and a batch with the axis's columns, also read in the axis's units.
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
axes="$work/axes.csv"
{
    printf 'type,initial,drive,accel,decel,multiplier,pulses,unit,travelPerRev,gear,pulsesPerRev,axis\r\n'
    printf '%s\r\n' \
        '3,640,32000,0.2,0.3,,64000,mm,5,,3200,X' \
        '3,100,10000,0.2,0.3,,9600,deg,,3,3200,A' \
        '1,100,10000,0.2,,,,deg,180,,3200,B' \
        '0,1,50,0.2,,,,,,,,Z'
} >"$axes"
for units in "" --in-units; do
    status=0
    "$host" --csv "$axes" $units >"$work/host-axes.csv" || status=$?
    windows_status=0
    wine_run "$windows" --csv "$axes" $units >"$work/windows-axes.csv" 2>/dev/null || windows_status=$?
    if [ "$status" -ne "$windows_status" ] || ! cmp -s "$work/host-axes.csv" "$work/windows-axes.csv"; then
        echo "windows-csv: the axis's columns ${units:-in PPS} differ on Windows (exit $windows_status, host $status)"
        failed=$((failed + 1))
    fi
done
echo "windows-csv: $((4 - failed)) passed, $failed failed"
[ "$failed" -eq 0 ]
