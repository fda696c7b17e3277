# Veldronix.exe, the Windows dialog program, cross-built and tested in a real
# window under Wine on a virtual display: its resources (its manifest included)
# read from the binary, the details window and its plot drawn in a check's own
# process, then the end-to-end driver working the dialog through window
# messages, on a small and a large screen, and at 96, 144 and 192 DPI in a Wine
# prefix of its own whose LogPixels this stage sets. The programs are the
# 32-bit or the 64-bit ones (see select_windows_programs); the released 32-bit
# Veldronix.exe's resources are checked on either path. Screenshots land in
# build/screenshots.
# pipefail: a check that fails must fail the stage, also where its output is filtered.
set -euo pipefail
source "$(dirname "$0")/../lib/common.sh"
source "$(dirname "$0")/../lib/windows.sh"
cd "$(project_root)"

ensure_windows_toolchain
ensure_packages python3 imagemagick fonts-ipafont-gothic x11-utils
mkdir -p build
# The resource generator on its own first: a bad layout must be refused.
if ! python3 tests/win32_e2e/test_generate_resources.py >build/generate-resources-test.log 2>&1; then
    cat build/generate-resources-test.log
    exit 1
fi
echo "generate-resources: $(tail -1 build/generate-resources-test.log)"
# The choice of the Windows programs and of Wine's loader, for every kind of machine.
if ! bash tests/win32_e2e/test_windows_selection.sh >build/windows-selection-test.log 2>&1; then
    cat build/windows-selection-test.log
    exit 1
fi
tail -1 build/windows-selection-test.log

select_windows_programs
build_windows_targets Veldronix veldronix_e2e veldronix_resource_check veldronix_form_check veldronix_drawing_check
# The released Veldronix.exe is the 32-bit one: its resources are read on every
# path, by the chosen resource check, as a data file.
released=build/windows/ui/win32/Veldronix.exe
if [ "$windows_arch" != i686 ]; then
    cmake --preset windows >/dev/null
    cmake --build --preset windows -j "$(build_jobs)" --target Veldronix
fi
ensure_wine
echo "win32-dialog: the $windows_bits Windows programs, under $WINELOADER"

xvfb_pid=""
if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
    ensure_display
    xvfb_pid=$!
fi
cleanup() {
    wineserver -k >/dev/null 2>&1 || true
    if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
}
trap cleanup EXIT

# One Wine session for the whole stage, on the display: every new session starts
# Wine's own services again.
wineserver -w >/dev/null 2>&1 || true
wineserver -p >/dev/null 2>&1 || true

# The dialogs ask for ＭＳ Ｐゴシック; Wine takes the IPA fonts in its place, also for
# the Japanese fallback of its own caption and menu fonts. Wine draws the window
# frames itself, so the screenshots show the caption without a window manager.
export LANG=C.UTF-8
replace_font() {
    wine_run reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$1" /t REG_SZ /d "$2" /f >/dev/null 2>&1
}
# The fonts and the frames as above, in the prefix WINEPREFIX names.
ready_prefix() {
    replace_font 'ＭＳ Ｐゴシック' IPAPGothic
    replace_font 'MS PGothic' IPAPGothic
    replace_font 'MS UI Gothic' IPAPGothic
    replace_font 'ＭＳ ゴシック' IPAGothic
    replace_font 'MS Gothic' IPAGothic
    wine_run reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
}
ready_prefix

status=0
resource_check=$windows_build/tests/win32_e2e/veldronix_resource_check.exe
# Checks the resources of a Veldronix.exe; names it and prints what did not pass.
check_resources() {
    local program="$1" label="$2" log="$3"
    wine_run "$resource_check" "$(windows_path "$program")" | tr -d '\r' >"$log" || status=1
    echo "win32-resources of the $label Veldronix.exe ($program):"
    grep -v '^PASS' "$log" || true
}
check_resources "$released" 32-bit "$windows_build/resource-check.log"
if [ "$windows_arch" != i686 ]; then
    check_resources "$windows_build/ui/win32/Veldronix.exe" "$windows_bits" "$windows_build/resource-check-own.log"
fi

rm -rf build/screenshots
mkdir -p build/screenshots
# A details window with a form, drawn in the check's own process.
timeout 300 "$WINELOADER" "$windows_build/tests/win32_e2e/veldronix_form_check.exe" "$(windows_path build/screenshots)" \
    | tr -d '\r' >"$windows_build/form-check.log" || status=1
grep -v '^PASS' "$windows_build/form-check.log" || true
# The details window moved to a monitor of another DPI, and the plot as GDI+ draws it.
timeout 300 "$WINELOADER" "$windows_build/tests/win32_e2e/veldronix_drawing_check.exe" "$(windows_path build/screenshots)" \
    | tr -d '\r' >"$windows_build/drawing-check.log" || status=1
grep -v '^PASS' "$windows_build/drawing-check.log" || true
timeout 1200 "$WINELOADER" "$windows_build/tests/win32_e2e/veldronix_e2e.exe" \
    "$(windows_path "$windows_build/ui/win32/Veldronix.exe")" "$(windows_path build/screenshots)" \
    | tr -d '\r' >"$windows_build/dialog-e2e.log" || status=1
grep -v '^PASS' "$windows_build/dialog-e2e.log" || true

# The driver's part (its arguments) on a screen of `size` of its own, in a Wine
# session of its own, its lines in `log`.
driver_on_screen() {
    local size="$1" log="$2" number
    shift 2
    for number in $(seq 89 -1 70); do
        if [ ! -e "/tmp/.X11-unix/X$number" ] && [ ! -e "/tmp/.X$number-lock" ]; then
            Xvfb ":$number" -screen 0 "${size}x24" -nolisten tcp >/dev/null 2>&1 &
            local server=$! tries=0
            until DISPLAY=":$number" xdpyinfo >/dev/null 2>&1 || [ $tries -ge 50 ]; do sleep 0.1; tries=$((tries + 1)); done
            # A Wine session keeps the screen it started on: the paths are asked first,
            # then the driver starts a new session on this display.
            local program folder
            program="$(windows_path "$windows_build/ui/win32/Veldronix.exe")"
            folder="$(windows_path build/screenshots)"
            wineserver -k >/dev/null 2>&1 || true
            wineserver -w >/dev/null 2>&1 || true
            DISPLAY=":$number" timeout 600 "$WINELOADER" "$windows_build/tests/win32_e2e/veldronix_e2e.exe" \
                "$program" "$folder" "$@" | tr -d '\r' >"$log" || status=1
            wineserver -k >/dev/null 2>&1 || true # its session goes before its display
            wineserver -w >/dev/null 2>&1 || true
            kill "$server" 2>/dev/null || true
            grep -v '^PASS' "$log" || true
            return
        fi
    done
    echo "$* at $size: no free X display" && status=1
}

# The details window's place on a small and a large screen.
driver_on_screen 1280x720 "$windows_build/details-placement-1280x720.log" placement
driver_on_screen 1920x1080 "$windows_build/details-placement-1920x1080.log" placement

# The windows at 100, 150 and 200 %, on a 1920 x 1080 screen, in a prefix of the
# stage's own: its LogPixels, the screen's DPI for every program of the prefix,
# set here and nowhere else.
WINEPREFIX="$WINEPREFIX-dpi"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    "$WINELOADER" wineboot --init >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
fi
if [ -f /usr/share/wine/fonts/marlett.ttf ] && [ ! -f "$WINEPREFIX/drive_c/windows/Fonts/marlett.ttf" ]; then
    mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
    cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
fi
ready_prefix
for dpi in 96 144 192; do
    wine_run reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
    driver_on_screen 1920x1080 "$windows_build/dpi-$dpi.log" dpi "$dpi"
done

for bitmap in build/screenshots/*.bmp; do
    [ -e "$bitmap" ] || continue
    convert "$bitmap" "${bitmap%.bmp}.png" && rm "$bitmap"
done
ls build/screenshots
exit "$status"
