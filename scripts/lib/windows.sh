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
    ensure_packages wine wine32
    export WINEDEBUG=-all
    export WINEPREFIX="${WINEPREFIX:-$(project_root)/build/wineprefix}"
}
