# The Qt dialog: what it needs installed and how it is built. Source common.sh first.

qt_dialog_program=build/qt/ui/qt/Veldronix

# Qt 6 Widgets with its X11 platform plugin (Qt's CMake files look for OpenGL),
# Qt's own Japanese translations (its dialogs' and buttons' texts), and the
# Japanese Gothic that stands in for the dialog font, found through fontconfig.
ensure_qt_packages() {
    ensure_packages qt6-base-dev qt6-qpa-plugins qt6-translations-l10n libgl1-mesa-dev fontconfig fonts-ipafont-gothic
}

# Configures the qt preset and builds the given targets; the build's output is
# shown only when it fails.
build_qt_targets() {
    local log
    log=$(mktemp)
    if ! { cmake --preset qt && cmake --build --preset qt -j "$(build_jobs)" --target "$@"; } >"$log" 2>&1; then
        cat "$log" >&2
        rm -f "$log"
        return 1
    fi
    rm -f "$log"
}

# The process id of the Xvfb server behind DISPLAY, from its lock file.
display_server_pid() {
    local number="${DISPLAY#:}"
    number="${number%%.*}"
    tr -d ' \n' <"/tmp/.X$number-lock" 2>/dev/null
}
