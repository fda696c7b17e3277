# The 32-bit Windows cross toolchain and Wine to run its programs. Source common.sh first.

ensure_windows_toolchain() {
    ensure_packages mingw-w64 g++-mingw-w64-i686
}

# Wine with its 32-bit part; wine32 needs the i386 architecture enabled first.
ensure_wine() {
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        as_root dpkg --add-architecture i386
        unset VELDRONIX_APT_UPDATED
    fi
    ensure_packages wine wine32 fonts-wine
    export WINEDEBUG=-all
    export WINEPREFIX="${WINEPREFIX:-$(project_root)/build/wineprefix}"
    # A new prefix announces itself on standard error at the first run; make it
    # beforehand so that no program's output carries Wine's own words.
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        mkdir -p "$(dirname "$WINEPREFIX")"
        wineboot --init >/dev/null 2>&1 || true
        wineserver -w >/dev/null 2>&1 || true
    fi
    # Wine draws the caption buttons and the system menu's marks with Marlett;
    # without it they show as stray letters and digits. fonts-wine has the font,
    # but this Wine reads it only from the prefix's own Fonts folder.
    local fonts="$WINEPREFIX/drive_c/windows/Fonts"
    if [ -f /usr/share/wine/fonts/marlett.ttf ] && [ ! -f "$fonts/marlett.ttf" ]; then
        mkdir -p "$fonts"
        cp /usr/share/wine/fonts/marlett.ttf "$fonts/"
    fi
}

# Builds pulsecalc for the host and for 32-bit Windows, for stages that compare
# the two; sets host and windows to the two programs.
build_pulsecalc_pair() {
    ensure_windows_toolchain
    ensure_wine
    cmake --preset windows >/dev/null
    cmake --build --preset windows -j "$(build_jobs)" --target pulsecalc
    cmake --preset default >/dev/null
    cmake --build --preset default -j "$(build_jobs)" --target pulsecalc
    host=build/default/cli/pulsecalc
    windows=build/windows/cli/pulsecalc.exe
}

# Runs pulsecalc with the given arguments on the host and under Wine and
# compares what each prints (standard output, exit status, then standard error,
# Windows' CRs dropped); prints the difference and fails when they differ.
# Needs build_pulsecalc_pair first.
same_on_windows() {
    local expected actual errors
    # The two standard errors in a folder of this call's own, so that stages can run side by side.
    errors=$(mktemp -d)
    expected=$("$host" "$@" 2>"$errors/expected"; echo "exit $?")
    actual=$(wine "$windows" "$@" 2>"$errors/actual"; echo "exit $?")
    expected+=$(cat "$errors/expected")
    actual+=$(tr -d '\r' <"$errors/actual")
    rm -rf "$errors"
    if [ "$expected" == "$actual" ]; then
        return 0
    fi
    echo "differs on Windows: $*"
    diff <(echo "$expected") <(echo "$actual") | head -20
    return 1
}
