# The Qt dialog: its suites on the offscreen platform, once more under a German
# locale, then the program itself on a virtual X display, ended by Esc.
set -eu
source "$(dirname "$0")/../lib/common.sh"
source "$(dirname "$0")/../lib/locale.sh"
source "$(dirname "$0")/../lib/qt.sh"
cd "$(project_root)"
ensure_qt_packages
ensure_german_locale
build_qt_targets Veldronix veldronix_qt_dialog_tests veldronix_qt_details_tests veldronix_qt_layout_tests veldronix_qt_placement_tests \
    veldronix_qt_screenshots
QT_QPA_PLATFORM=offscreen ctest --preset qt -R '^qt\.'

# The program as a user starts it: the window opens, a message box carries the
# program's name, Enter in a field presses 決定 instead of ending it, and Esc
# ends it with status 0.
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

# A visible window whose title matches, waited for up to 20 seconds.
find_window() {
    timeout 20 xdotool search --sync --onlyvisible --name "$1" 2>/dev/null | head -n 1
}

stop_program() {
    kill "$program_pid" 2>/dev/null || true
    wait "$program_pid" 2>/dev/null || true
    program_pid=""
}

# Starts the program, types the steps into its dialog and expects it to end
# with status 0. A step "window=TITLE" waits for that window and focuses it.
run_case() {
    local name="$1" step window status=0
    shift
    "$qt_dialog_program" &
    program_pid=$!
    for step in 'window=^パラメータ算出ツール$' "$@"; do
        if [ "${step#window=}" != "$step" ]; then
            window=$(find_window "${step#window=}")
            if [ -z "$window" ]; then
                echo "qt-dialog: no window ${step#window=} ($name)"
                stop_program
                return 1
            fi
            xdotool windowfocus --sync "$window"
        else
            xdotool key "$step"
        fi
    done
    for _ in $(seq 50); do
        kill -0 "$program_pid" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$program_pid" 2>/dev/null; then
        echo "qt-dialog: the program did not end ($name)"
        stop_program
        return 1
    fi
    wait "$program_pid" || status=$?
    program_pid=""
    if [ "$status" -ne 0 ]; then
        echo "qt-dialog: the program ended with status $status ($name)"
        return 1
    fi
}

passed=0 failed=0
for name in esc enter message; do
    case "$name" in
    esc) steps=(Escape) ;;
    # Enter in the first field with empty fields presses 決定: its message, then Esc ends the program.
    enter) steps=(Return 'window=^Veldronix$' Return Escape) ;;
    # Enter on 決定 with empty fields: a message box captioned with the program's name, closed with Enter.
    message) steps=(Tab Tab Tab Tab Return 'window=^Veldronix$' Return Escape) ;;
    esac
    if run_case "$name" "${steps[@]}"; then passed=$((passed + 1)); else failed=$((failed + 1)); fi
done
echo "qt-dialog program: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
