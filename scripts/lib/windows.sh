# The Windows cross toolchains, the choice of the Windows programs the stages run
# (32-bit or 64-bit), and Wine to run them. Source common.sh first.
#
# The released programs are 32-bit, and run on every Windows. Wine runs them only
# with its 32-bit loader, itself a 32-bit x86 Linux program, which a kernel
# without IA-32 emulation cannot start ("Exec format error"). There the stages
# run the same programs built for 64-bit Windows under wine64 instead, in a
# 64-bit prefix of their own, and never touch the 32-bit loader.

ensure_windows_toolchain() {
    ensure_packages mingw-w64 g++-mingw-w64-i686 g++-mingw-w64-x86-64
}

# Whether this machine runs 32-bit x86 programs itself. A qemu-i386 handler
# registered in binfmt_misc comes before the kernel's own loader, so where one is
# enabled every such program is emulated, many times slower: that counts as no.
i386_runs_natively() {
    ! grep -qx enabled /proc/sys/fs/binfmt_misc/qemu-i386 2>/dev/null &&
        /lib/ld-linux.so.2 --version >/dev/null 2>&1
}

# Whether Wine's 32-bit part is installed, installing it where it is missing.
# Where it cannot be (its i386 packages missing from the mirror, or at versions
# that break the installed 64-bit ones), says why and answers no, then and for
# the later stages of this build tree: they run the 64-bit programs, which need
# nothing 32-bit, and the i386 architecture is taken back so that its failing
# lists do not fail every later update.
wine32_unavailable_mark() { echo "$(project_root)/build/wine32-unavailable"; }
wine32_installed() {
    [ -f "$(wine32_unavailable_mark)" ] && return 1
    local added=""
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        as_root dpkg --add-architecture i386
        unset VELDRONIX_APT_UPDATED
        added=yes
    fi
    ensure_packages wine wine32 fonts-wine && return 0
    echo "Wine's 32-bit part cannot be installed here; the stages run the 64-bit programs under wine64" >&2
    if [ -n "$added" ] && as_root dpkg --remove-architecture i386 2>/dev/null; then
        unset VELDRONIX_APT_UPDATED
    fi
    mkdir -p "$(dirname "$(wine32_unavailable_mark)")"
    touch "$(wine32_unavailable_mark)"
    return 1
}

# Chooses the Windows programs the stages run and sets
#   windows_arch    i686 or x86_64
#   windows_bits    "32-bit" or "64-bit", as the stages print it
#   windows_preset  the CMake preset that builds them (windows or windows64)
#   windows_build   that preset's build folder
# VELDRONIX_WINDOWS_ARCH=i686 or =x86_64 forces a choice. Unforced, the 32-bit
# programs, the ones released for every Windows, run where this machine runs
# 32-bit programs itself and Wine's 32-bit part can be installed; everywhere
# else the 64-bit ones, under wine64, which needs neither the i386 architecture
# nor anything 32-bit on the machine.
wine32_loader=/usr/lib/wine/wine
wine64_loader=/usr/lib/wine/wine64
select_windows_programs() {
    local arch="${VELDRONIX_WINDOWS_ARCH:-}"
    case "$arch" in
    i686 | x86_64) ;;
    "")
        if i386_runs_natively && wine32_installed; then arch=i686; else arch=x86_64; fi
        ;;
    *)
        echo "VELDRONIX_WINDOWS_ARCH=$arch: expected i686 or x86_64" >&2
        return 1
        ;;
    esac
    windows_arch=$arch
    if [ "$arch" = i686 ]; then
        windows_bits=32-bit windows_preset=windows
    else
        windows_bits=64-bit windows_preset=windows64
    fi
    windows_build=build/$windows_preset
}

# Builds the given targets of the chosen Windows programs (select_windows_programs first).
build_windows_targets() {
    ensure_windows_toolchain
    cmake --preset "$windows_preset" >/dev/null
    cmake --build --preset "$windows_preset" -j "$(build_jobs)" --target "$@"
}

# Wine's packages for the chosen programs. The 32-bit ones need wine32, which
# needs the i386 architecture enabled first; the 64-bit ones need wine64 only.
ensure_wine_packages() {
    if [ "$windows_arch" = x86_64 ]; then
        ensure_packages wine64 fonts-wine
        return 0
    fi
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        as_root dpkg --add-architecture i386
        unset VELDRONIX_APT_UPDATED
    fi
    ensure_packages wine wine32 fonts-wine
}

# Readies Wine for the chosen programs (select_windows_programs first): its
# packages, the loader in WINELOADER (wine_run starts it), and a prefix of the
# programs' own architecture, build/wineprefix (32-bit) or build/wineprefix64.
# Fails with the reason where the 32-bit programs were forced on a machine that
# cannot run them.
ensure_wine() {
    if [ "$windows_arch" = i686 ] && ! i386_runs_natively; then
        echo "the 32-bit Windows programs cannot run here: Wine's 32-bit loader is a 32-bit x86 program," \
            "and this kernel runs none itself; VELDRONIX_WINDOWS_ARCH=x86_64 runs the 64-bit ones" >&2
        return 1
    fi
    ensure_wine_packages
    export WINEDEBUG=-all WINELOADER WINEARCH WINEPREFIX
    if [ "$windows_arch" = i686 ]; then
        WINELOADER="$wine32_loader" WINEARCH=win32 WINEPREFIX="$(project_root)/build/wineprefix"
    else
        WINELOADER="$wine64_loader" WINEARCH=win64 WINEPREFIX="$(project_root)/build/wineprefix64"
    fi
    # A new prefix announces itself on standard error at the first run; make it
    # beforehand so that no program's output carries Wine's own words.
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        mkdir -p "$(dirname "$WINEPREFIX")"
        "$WINELOADER" wineboot --init >/dev/null 2>&1 || true
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

# Wine's server, which the stages stop, wait for and keep running by this name.
# Debian puts it on the PATH only with the `wine` package, which the 64-bit
# programs do without: there a call by name would do nothing, and the first
# session, started without a display, would serve every program after it
# ("no driver could be loaded", no window opens). The server beside the loaders
# comes with wine32 and wine64 alike.
wine_server=/usr/lib/wine/wineserver
wineserver() {
    if [ -x "$wine_server" ]; then
        "$wine_server" "$@"
    else
        command wineserver "$@"
    fi
}

# Runs a Windows program with the chosen loader (ensure_wine first). Debian's
# `wine` wrapper is not used: it prefers the 32-bit loader wherever wine32 is
# installed, also where that loader cannot start.
wine_run() {
    "$WINELOADER" "$@"
}

# The Windows path of a file or folder of this machine, through Wine's drive Z:,
# which every prefix maps to / (the same answer as winepath -w, without starting Wine).
windows_path() {
    local path
    path=$(realpath -m "$1")
    printf 'Z:%s\n' "${path//\//\\}"
}

# Builds pulsecalc for the host and the chosen Windows programs, for stages that
# compare the two, and readies Wine; sets host and windows to the two programs.
build_pulsecalc_pair() {
    select_windows_programs
    build_windows_targets pulsecalc
    cmake --preset default >/dev/null
    cmake --build --preset default -j "$(build_jobs)" --target pulsecalc
    host=build/default/cli/pulsecalc
    windows=$windows_build/cli/pulsecalc.exe
    ensure_wine
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
    actual=$(wine_run "$windows" "$@" 2>"$errors/actual"; echo "exit $?")
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
