# pulsecalc --rounded for Windows under Wine prints byte for byte what
# the host build prints: the rounding, the square roots of the S-curve times and
# the fixed-decimal texts must not depend on the platform's runtime.
set -eu
source "$(dirname "$0")/../lib/common.sh"
source "$(dirname "$0")/../lib/windows.sh"
cd "$(project_root)"
build_pulsecalc_pair
echo "windows-rounded: the $windows_bits Windows programs, under $WINELOADER"
cases=(
    "--type 0 --initial 333 --drive 12345 --accel 0.37 --pulses 20000"
    "--type 1 --initial 0.4 --drive 8000 --accel 0.01 --pulses 5000"
    "--type 2 --initial 50 --drive 7000 --accel 0.3 --decel 0.7 --pulses 10000"
    "--type 3 --initial 100 --drive 10000 --accel 0.2 --decel 0.3 --pulses 10000"
    "--type 3 --initial 100.9 --drive 10000.7 --accel 0.123456 --decel 0.0005 --pulses 1e6 --multiplier 5"
    "--type 3 --initial 5 --drive 5 --accel 1 --decel 1"
    "--type 2 --drive 4000000 --accel 1e-320 --decel 1e-320 --multiplier 8"
    "--type 0 --initial -1.7976931348623157e308 --drive 4000000 --accel 1"
    "--type -1 --initial 100 --drive 10000 --accel 0.2 --pulses 100"
    "--drive 0 --accel 1"
)
passed=0 failed=0
for arguments in "${cases[@]}"; do
    for format in "" "--json"; do
        # shellcheck disable=SC2086
        if same_on_windows $arguments --rounded $format; then
            passed=$((passed + 1))
        else
            failed=$((failed + 1))
        fi
    done
done
echo "windows-rounded: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
