# The release files of scripts/package, checked as a user receives them: the
# Debian package by lintian and Debian's desktop and AppStream validators, then
# unpacked into a temporary folder (never installed) and run; the Windows zips
# unpacked and the programs of the one chosen for this machine (32-bit or 64-bit,
# see select_windows_programs) run under Wine; the web page opened in headless
# Chromium. Prints the sizes of the files.
set -eu
source "$(dirname "$0")/../lib/common.sh"
source "$(dirname "$0")/../lib/qt.sh"
source "$(dirname "$0")/../lib/windows.sh"
source "$(dirname "$0")/../lib/web.sh"
cd "$(project_root)"

ensure_packages lintian desktop-file-utils appstream zip unzip dpkg-dev xdotool
ensure_web_browser
# A new Wine prefix takes a while to make: it is made while the programs build.
select_windows_programs
ensure_wine >/dev/null 2>&1 &
wine_setup=$!
scripts/package
wait "$wine_setup" || true

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/package/linux/CMakeCache.txt)
deb="dist/veldronix_${version}_amd64.deb"
page="dist/veldronix-$version.html"

scratch=$(mktemp -d)
xvfb_pid="" program_pid=""
cleanup() {
    if [ -n "$program_pid" ]; then kill "$program_pid" 2>/dev/null || true; fi
    wineserver -k >/dev/null 2>&1 || true
    if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
    rm -rf "$scratch"
}
trap cleanup EXIT

passed=0 failed=0
pass() { passed=$((passed + 1)); }
fail() {
    echo "package: $*"
    failed=$((failed + 1))
}

# The worked example of docs/command-line.md: the dialog's fields, then the velocity
# profile of its 10000 pulses, as pulsecalc prints them.
worked_example=(--type 3 --initial 100 --drive 10000 --accel 0.2 --decel 0.3 --pulses 10000)
python3 - docs/command-line.md >"$scratch/expected" <<'EOF'
import sys
lines = open(sys.argv[1], encoding="utf-8").read().split("\n")

def block_after(start, first=None):
    """The indented lines after the line start (from the line first on), unindented."""
    i = lines.index(start) + 1
    out = []
    while i < len(lines) and (lines[i].startswith("    ") or not lines[i].strip()):
        out.append(lines[i][4:])
        i += 1
    while out and not out[-1]:
        out.pop()
    return out[out.index(first):] if first else out

fields = block_after("    $ scripts/run --type asymmetric-s-curve --initial 100 --drive 10000 --accel 0.2 --decel 0.3 --pulses 10000")
profile = block_after("    $ scripts/run --type 3 --initial 100 --drive 10000 --accel 0.2 --decel 0.3 --pulses 10000 --svg move.svg",
                      "velocity profile: 10000 pulses, 100 PPS to 10000 PPS and back, S-curve ramps")
print("\n".join(fields + [""] + profile))
EOF
# The document shows the fields without the trailing blank that R, A, SV, V and K carry.
prints_worked_example() {
    "$@" "${worked_example[@]}" | tr -d '\r' | sed 's/ *$//' >"$scratch/actual"
    diff "$scratch/expected" "$scratch/actual" >"$scratch/diff" || { head -20 "$scratch/diff"; return 1; }
}

# Waits for a visible window whose title matches, up to the given seconds (30).
find_window() {
    timeout "${2:-30}" xdotool search --sync --onlyvisible --name "$1" 2>/dev/null | head -n 1
}

# Stops the program started last; fails when it had already ended (crashed).
stop_running_program() {
    local alive=0
    kill -0 "$program_pid" 2>/dev/null || alive=1
    kill "$program_pid" 2>/dev/null || true
    wait "$program_pid" 2>/dev/null || true
    program_pid=""
    return "$alive"
}

# --- Debian package ------------------------------------------------------------
if lintian --fail-on error "$deb" >"$scratch/lintian" 2>&1; then
    pass
else
    fail "lintian reports errors"
fi
grep -v '^running with root privileges' "$scratch/lintian" || true

# Qt's own dialogs and buttons speak Japanese only with Qt's Japanese translations.
if dpkg-deb -f "$deb" Depends | tr ',' '\n' | grep -qx ' *qt6-translations-l10n'; then
    pass
else
    fail "the package does not depend on qt6-translations-l10n"
fi

root="$scratch/deb"
dpkg-deb -x "$deb" "$root"
for desktop in "$root"/usr/share/applications/*.desktop; do
    if desktop-file-validate "$desktop"; then pass; else fail "desktop-file-validate $(basename "$desktop")"; fi
done
for metainfo in "$root"/usr/share/metainfo/*.metainfo.xml; do
    if appstreamcli validate --no-net "$metainfo" >"$scratch/appstream" 2>&1; then
        pass
    else
        cat "$scratch/appstream"
        fail "appstreamcli validate $(basename "$metainfo")"
    fi
done
for size in 16 32 48 64 128 256; do
    icon="$root/usr/share/icons/hicolor/${size}x$size/apps/veldronix.png"
    if file "$icon" 2>/dev/null | grep -q "PNG image data, $size x $size, 8-bit/color RGBA"; then
        pass
    else
        fail "no ${size}x$size icon"
    fi
done

if prints_worked_example "$root/usr/bin/pulsecalc"; then pass; else fail "the unpacked pulsecalc does not print the worked example"; fi
if "$root/usr/bin/pulsecalc" --version | grep -qx "pulsecalc (Veldronix) $version"; then
    pass
else
    fail "the unpacked pulsecalc --version does not print $version"
fi

# The unpacked dialog on the offscreen platform: still running after a second.
QT_QPA_PLATFORM=offscreen "$root/usr/bin/veldronix" &
program_pid=$!
sleep 1
if stop_running_program; then pass; else fail "the unpacked dialog did not keep running offscreen"; fi

# On a virtual display of its own: the window opens, and a message box (Enter on
# 決定 with empty fields) is captioned with the program's name, Veldronix, though
# the command is veldronix.
unset DISPLAY WAYLAND_DISPLAY
ensure_display
xvfb_pid=$(display_server_pid)
"$root/usr/bin/veldronix" &
program_pid=$!
window=$(find_window '^パラメータ算出ツール$')
if [ -n "$window" ]; then
    xdotool windowfocus --sync "$window"
    xdotool key Tab Tab Tab Tab Return
    if [ -n "$(find_window '^Veldronix$')" ]; then pass; else fail "no message box captioned Veldronix"; fi
else
    fail "the unpacked dialog shows no window"
fi
stop_running_program || true

# --- Windows zips --------------------------------------------------------------
# Both hold the same four files; the programs of the one chosen for this machine run.
for flavour in win32 win64; do
    unzip -q "dist/veldronix-$version-$flavour.zip" -d "$scratch/zip"
    folder="$scratch/zip/veldronix-$version-$flavour"
    listed=$(cd "$folder" && find . -type f | sort | tr '\n' ' ')
    expected_files="./LICENSE.txt ./README.txt ./Veldronix.exe ./pulsecalc.exe "
    if [ "$listed" == "$expected_files" ]; then pass; else fail "the $flavour zip holds $listed"; fi
done
if [ "$windows_arch" = i686 ]; then flavour=win32; else flavour=win64; fi
folder="$scratch/zip/veldronix-$version-$flavour"
if ensure_wine; then
    echo "package: the $windows_bits Windows programs of the $flavour zip, under $WINELOADER"
    # pulsecalc.exe prints byte for byte what the host build prints (standard output,
    # exit status, standard error; Windows' CRs dropped from standard error only).
    host=build/package/linux/cli/pulsecalc
    same_as_host() {
        local expected actual
        expected=$("$host" "$@" 2>"$scratch/stderr"; echo "exit $?")
        expected+=$(cat "$scratch/stderr")
        actual=$(wine_run "$folder/pulsecalc.exe" "$@" 2>"$scratch/stderr"; echo "exit $?")
        actual+=$(tr -d '\r' <"$scratch/stderr")
        [ "$expected" == "$actual" ] || { diff <(echo "$expected") <(echo "$actual") | head -20; return 1; }
    }
    for arguments in "${worked_example[*]}" "${worked_example[*]} --json" "${worked_example[*]} --rounded" \
        "--type 1 --initial 5 --drive 5 --accel 1 --multiplier 3" "--version"; do
        # shellcheck disable=SC2086
        if same_as_host $arguments; then pass; else fail "pulsecalc.exe differs from the host build: $arguments"; fi
    done
    if prints_worked_example wine_run "$folder/pulsecalc.exe"; then pass; else fail "pulsecalc.exe does not print the worked example"; fi

    # Veldronix.exe opens its dialog and keeps running until it is stopped.
    "$WINELOADER" "$folder/Veldronix.exe" &
    program_pid=$!
    if [ -n "$(find_window '^パラメータ算出ツール$' 60)" ]; then
        if stop_running_program; then pass; else fail "Veldronix.exe ended by itself"; fi
    else
        stop_running_program || true
        fail "Veldronix.exe shows no window under Wine"
    fi
    wineserver -k >/dev/null 2>&1 || true
else
    fail "Wine cannot run the $windows_bits Windows programs here"
fi

# --- Web page ------------------------------------------------------------------
# Opened from its file in headless Chromium: the worked drive as pulsecalc gives
# it, the version, and no request leaving the page.
if /usr/bin/python3 tests/web/release_page_check.py --page "$page" --pulsecalc "$root/usr/bin/pulsecalc" \
    --version "$version"; then
    pass
else
    fail "the page $page does not work as released"
fi

echo "package: release files"
for file in dist/veldronix-"$version"-win32.zip dist/veldronix-"$version"-win64.zip "$deb" "$page"; do
    [ -f "$file" ] && printf '  %-40s %9d bytes\n' "$file" "$(stat -c %s "$file")"
done
echo "package: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
