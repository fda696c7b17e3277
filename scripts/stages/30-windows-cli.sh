# pulsecalc cross-built for Windows and run under Wine must print byte for
# byte what the host build prints, for ordinary and hostile drives alike.
set -eu
source "$(dirname "$0")/../lib/common.sh"
source "$(dirname "$0")/../lib/windows.sh"
cd "$(project_root)"
build_pulsecalc_pair
echo "windows-cli: the $windows_bits Windows programs, under $WINELOADER"
cases=(
    "--type 0 --initial 100 --drive 10000 --accel 0.2"
    "--type 1 --initial 100 --drive 10000 --accel 0.2 --multiplier 3"
    "--type 2 --initial 100 --drive 10000 --accel 0.2 --decel 0.3"
    "--type 3 --initial 100 --drive 10000 --accel 0.2 --decel 0.3 --pulses 10000"
    "--type 3 --initial 100.9 --drive 10000.7 --accel 0.123456 --decel 0.0005 --pulses 1e6"
    "--type 1 --initial 5 --drive 5 --accel 1"
    "--type -1 --initial -5e20 --drive 3 --accel -1 --multiplier 8"
    "--type 2 --drive 4000000 --accel 1e-320 --decel 1e-320 --multiplier 8"
    "--type 3 --initial 1e-300 --drive 0.0025 --accel 7e-3 --decel 3.3 --pulses 0.5"
    "--type 0 --initial 1.7976931348623157e308 --drive 1e400 --accel 1"
    "--type 0 --initial 12abc --drive 0x10 --accel 1,5"
)
passed=0 failed=0
for arguments in "${cases[@]}"; do
    # shellcheck disable=SC2086
    if same_on_windows $arguments --json; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
    fi
done
echo "windows-cli: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
