# The 32-bit Windows cross toolchain and Wine to run its programs. Source common.sh first.

ensure_windows_toolchain() {
    ensure_packages mingw-w64 g++-mingw-w64-i686
}

# Wine's packages with its 32-bit part; wine32 needs the i386 architecture enabled first.
ensure_wine_packages() {
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        as_root dpkg --add-architecture i386
        unset VELDRONIX_APT_UPDATED
    fi
    ensure_packages wine wine32 fonts-wine
}

# Wine with its 32-bit part, ready to run programs in the prefix.
ensure_wine() {
    ensure_wine_packages
    ensure_i386_programs
    export WINEDEBUG=-all
    # The programs are 32-bit: a new prefix is one, also when the server is 64-bit.
    export WINEARCH=win32
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

# Wine's 32-bit part is a 32-bit x86 Linux program. A kernel whose IA-32
# emulation is off runs none ("Exec format error"); there the kernel hands them
# to qemu's user-mode emulator, registered for the 32-bit x86 ELF header (the
# F flag opens the emulator once, so that it serves every mount namespace).
# wine64 brings a native 64-bit wineserver, which Wine then prefers: it serves
# the 32-bit programs of a 32-bit prefix as well, many times faster than an emulated one.
ensure_i386_programs() {
    if /lib/ld-linux.so.2 --version >/dev/null 2>&1; then
        return 0
    fi
    ensure_packages qemu-user-static wine64
    local binfmt=/proc/sys/fs/binfmt_misc
    if [ ! -e "$binfmt/register" ]; then
        as_root mount -t binfmt_misc binfmt_misc "$binfmt"
    fi
    if [ ! -e "$binfmt/qemu-i386" ]; then
        printf '%s' ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386-static:F' |
            as_root tee "$binfmt/register" >/dev/null
    fi
    if ! /lib/ld-linux.so.2 --version >/dev/null 2>&1; then
        echo "32-bit x86 programs cannot run here, not even under qemu-i386-static" >&2
        return 1
    fi
}

# Whether this machine runs 32-bit x86 programs itself, not through qemu-i386.
# A handler registered for them in binfmt_misc comes before the kernel's own
# loader, so where one is enabled every such program is emulated.
i386_runs_natively() {
    ! grep -qx enabled /proc/sys/fs/binfmt_misc/qemu-i386 2>/dev/null &&
        /lib/ld-linux.so.2 --version >/dev/null 2>&1
}

# Readies Wine and succeeds where its 32-bit part runs at a usable speed. On a
# kernel that runs no 32-bit program itself, Wine runs only under qemu-i386,
# where every Wine start takes minutes and a stage hours: there it says that the
# runs of the stage NAME are skipped and why, and fails, unless
# VELDRONIX_WINE_UNDER_QEMU=1 asks for the slow runs.
wine_or_skip() {
    local name="$1"
    ensure_wine_packages
    if i386_runs_natively || [ "${VELDRONIX_WINE_UNDER_QEMU:-}" = 1 ]; then
        ensure_wine
        return 0
    fi
    echo "$name: Wine runs skipped: this kernel runs no 32-bit x86 program itself, and under qemu-i386" \
        "each Wine start takes minutes; the Windows programs were built. VELDRONIX_WINE_UNDER_QEMU=1 runs them anyway."
    return 1
}

# Builds pulsecalc for the host and for 32-bit Windows, for stages that compare
# the two; sets host and windows to the two programs. Wine is readied by
# wine_or_skip afterwards.
build_pulsecalc_pair() {
    ensure_windows_toolchain
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
