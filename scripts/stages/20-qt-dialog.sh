# The Qt dialog: its suites on the offscreen platform, once more under a German
# locale, then the program itself on a virtual X display, ended by Esc and by Enter.
set -eu
source "$(dirname "$0")/../lib/common.sh"
source "$(dirname "$0")/../lib/locale.sh"
source "$(dirname "$0")/../lib/qt.sh"
cd "$(project_root)"
ensure_qt_packages
ensure_german_locale
build_qt_targets Veldronix veldronix_qt_dialog_tests veldronix_qt_layout_tests veldronix_qt_screenshots
QT_QPA_PLATFORM=offscreen ctest --preset qt -R '^qt\.'

# The program as a user starts it: the window opens, and a key ends it with status 0.
ensure_packages xdotool
# A display of its own, so that no desktop's focus or keys are touched.
unset DISPLAY WAYLAND_DISPLAY
ensure_display
xvfb_pid=$(display_server_pid)
program_pid=""
cleanup() {
    if [ -n "$program_pid" ]; then kill "$program_pid" 2>/dev/null || true; fi
    if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
    return 0
}
trap cleanup EXIT

failed=0
for key in Escape Return; do
    "$qt_dialog_program" &
    program_pid=$!
    window=$(timeout 20 xdotool search --sync --onlyvisible --name 'パラメータ算出ツール' | head -n 1) || window=""
    if [ -z "$window" ]; then
        echo "qt-dialog: the dialog did not open"
        failed=$((failed + 1))
        kill "$program_pid" 2>/dev/null || true
        wait "$program_pid" 2>/dev/null || true
        program_pid=""
        continue
    fi
    xdotool windowfocus --sync "$window"
    xdotool key "$key"
    for _ in $(seq 50); do
        kill -0 "$program_pid" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$program_pid" 2>/dev/null; then
        echo "qt-dialog: $key did not end the program"
        failed=$((failed + 1))
        kill "$program_pid" 2>/dev/null || true
        wait "$program_pid" 2>/dev/null || true
    else
        status=0
        wait "$program_pid" || status=$?
        if [ "$status" -ne 0 ]; then
            echo "qt-dialog: the program ended with status $status after $key"
            failed=$((failed + 1))
        fi
    fi
    program_pid=""
done
echo "qt-dialog program: $((2 - failed)) passed, $failed failed"
[ "$failed" -eq 0 ]
