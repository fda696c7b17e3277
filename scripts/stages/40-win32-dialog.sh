# Veldronix.exe, the Windows dialog program, cross-built and tested in a real
# window under Wine on a virtual display: its resources read from the binary,
# then the end-to-end driver working the dialog through window messages.
# Screenshots land in build/screenshots.
set -eu
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

cmake --preset windows >/dev/null
cmake --build --preset windows -j "$(build_jobs)" --target Veldronix veldronix_e2e veldronix_resource_check

wine_or_skip win32-dialog || exit 0

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
# Wine's own services again, which takes minutes where Wine runs under qemu-i386.
wineserver -w >/dev/null 2>&1 || true
wineserver -p >/dev/null 2>&1 || true

# The dialogs ask for ＭＳ Ｐゴシック; Wine takes the IPA fonts in its place, also for
# the Japanese fallback of its own caption and menu fonts. Wine draws the window
# frames itself, so the screenshots show the caption without a window manager.
export LANG=C.UTF-8
replace_font() {
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$1" /t REG_SZ /d "$2" /f >/dev/null 2>&1
}
replace_font 'ＭＳ Ｐゴシック' IPAPGothic
replace_font 'MS PGothic' IPAPGothic
replace_font 'MS UI Gothic' IPAPGothic
replace_font 'ＭＳ ゴシック' IPAGothic
replace_font 'MS Gothic' IPAGothic
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1

status=0
exe="$(winepath -w build/windows/ui/win32/Veldronix.exe)"
wine build/windows/tests/win32_e2e/veldronix_resource_check.exe "$exe" | tr -d '\r' >build/windows/resource-check.log || status=1
grep -v '^PASS' build/windows/resource-check.log || true

rm -rf build/screenshots
mkdir -p build/screenshots
# Under qemu-i386 (see ensure_i386_programs) the run takes many times longer than on a
# kernel that runs 32-bit programs itself.
timeout 2400 wine build/windows/tests/win32_e2e/veldronix_e2e.exe "$exe" "$(winepath -w build/screenshots)" \
    | tr -d '\r' >build/windows/dialog-e2e.log || status=1
grep -v '^PASS' build/windows/dialog-e2e.log || true

for bitmap in build/screenshots/*.bmp; do
    [ -e "$bitmap" ] || continue
    convert "$bitmap" "${bitmap%.bmp}.png" && rm "$bitmap"
done
ls build/screenshots
exit "$status"
