#!/usr/bin/env bash
# The choice of the Windows programs and of Wine's loader in scripts/lib/windows.sh,
# on every kind of machine, without Wine, packages or root: the machine's answers
# (32-bit programs run or not, wine32 installed or not) and the package
# installation are stand-ins, the loaders small scripts in a scratch folder.
set -u
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/../../scripts/lib/common.sh"
source "$here/../../scripts/lib/windows.sh"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
passed=0 failed=0
check() {
    local name="$1" actual="$2" expected="$3"
    if [ "$actual" == "$expected" ]; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        echo "FAIL $name: expected [$expected], got [$actual]"
    fi
}

# Stand-ins for the machine.
project_root() { echo "$scratch/project"; }
i386_runs_natively() { [ "$native" = yes ]; }
# Installs what is not yet installed; wine32 fails where the mirror cannot give
# it (installable=no), as a mirror caught in its sync does.
ensure_packages() {
    local package missing=()
    for package in "$@"; do
        grep -qx "$package" "$scratch/installed" 2>/dev/null || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "install ${missing[*]}" >>"$scratch/actions"
    if [[ " ${missing[*]} " == *" wine32 "* ]]; then
        [ "$installable" = yes ] || return 100
        loader_script "$wine32_loader"
    fi
    printf '%s\n' "${missing[@]}" >>"$scratch/installed"
}
as_root() {
    echo "root $*" >>"$scratch/actions"
    case "$*" in
    "dpkg --add-architecture i386") touch "$scratch/i386" ;;
    "dpkg --remove-architecture i386") rm -f "$scratch/i386" ;;
    esac
}
# wine32 is installed only where the i386 architecture is enabled.
dpkg() { if [ -f "$scratch/i386" ]; then echo i386; fi; }
wineserver() { :; }
# A loader that makes the prefix as wineboot would.
loader_script() {
    printf '#!/bin/sh\n[ "$1" = wineboot ] && mkdir -p "$WINEPREFIX" && touch "$WINEPREFIX/system.reg"\nexit 0\n' >"$1"
    chmod +x "$1"
}
loader_script "$scratch/wine64"
wine64_loader="$scratch/wine64"

# given: forced native wine32 installable | expected: arch preset bits loader WINEARCH prefix ensure_wine | actions
cases=(
    "-      yes yes yes | i686   windows   32-bit wine   win32 wineprefix   ok    |"
    "-      yes no  yes | i686   windows   32-bit wine   win32 wineprefix   ok    | root dpkg --add-architecture i386,install wine wine32 fonts-wine"
    "-      yes no  no  | x86_64 windows64 64-bit wine64 win64 wineprefix64 ok    | root dpkg --add-architecture i386,install wine wine32 fonts-wine,root dpkg --remove-architecture i386,install wine64 fonts-wine"
    "-      no  yes yes | x86_64 windows64 64-bit wine64 win64 wineprefix64 ok    | install wine64"
    "-      no  no  yes | x86_64 windows64 64-bit wine64 win64 wineprefix64 ok    | install wine64 fonts-wine"
    "i686   yes no  yes | i686   windows   32-bit wine   win32 wineprefix   ok    | root dpkg --add-architecture i386,install wine wine32 fonts-wine"
    "i686   no  no  yes | i686   windows   32-bit -      -     -            fails |"
    "x86_64 yes yes yes | x86_64 windows64 64-bit wine64 win64 wineprefix64 ok    | install wine64"
)
for row in "${cases[@]}"; do
    IFS='|' read -r given expected actions <<<"$row"
    read -r forced native wine32 installable <<<"$given"
    read -r arch preset bits loader winearch prefix result <<<"$expected"
    actions="${actions# }"
    name="forced=$forced native=$native wine32=$wine32"
    (
        rm -rf "$scratch/project" "$scratch/actions" "$scratch/wine" "$scratch/i386" "$scratch/installed"
        touch "$scratch/actions"
        if [ "$wine32" = yes ]; then
            loader_script "$scratch/wine"
            touch "$scratch/i386"
            printf '%s\n' wine wine32 fonts-wine >"$scratch/installed"
        fi
        wine32_loader="$scratch/wine"
        if [ "$forced" = - ]; then unset VELDRONIX_WINDOWS_ARCH; else export VELDRONIX_WINDOWS_ARCH=$forced; fi
        unset WINELOADER WINEARCH WINEPREFIX
        select_windows_programs 2>"$scratch/choice"
        check "$name: programs" "$windows_arch $windows_preset $windows_bits $windows_build" \
            "$arch $preset $bits build/$preset"
        if ensure_wine 2>"$scratch/error"; then outcome=ok; else outcome=fails; fi
        check "$name: Wine readied" "$outcome" "$result"
        if [ "$result" = ok ]; then
            check "$name: loader" "$WINELOADER $WINEARCH $WINEPREFIX" \
                "$scratch/$loader $winearch $scratch/project/build/$prefix"
            check "$name: prefix made" "$([ -f "$WINEPREFIX/system.reg" ] && echo yes)" yes
            check "$name: installed" "$(paste -sd, "$scratch/actions")" "$actions"
        else
            check "$name: reason" "$(grep -c 'cannot run here' "$scratch/error")" 1
            check "$name: nothing installed" "$(wc -c <"$scratch/actions")" 0
        fi
        if [ "$installable" = no ]; then
            check "$name: reason" "$(grep -c "32-bit part cannot be installed" "$scratch/choice")" 1
            # The verdict holds for the later stages: none tries wine32 again.
            : >"$scratch/actions"
            select_windows_programs 2>/dev/null
            check "$name: later stages" "$windows_arch $(wc -c <"$scratch/actions")" "x86_64 0"
        fi
        echo "$passed $failed" >"$scratch/counts"
    )
    read -r passed failed <"$scratch/counts"
done

# An unknown architecture is refused by name.
message=$(VELDRONIX_WINDOWS_ARCH=arm64 select_windows_programs 2>&1 >/dev/null)
status=$?
check "arm64 refused" "$status $message" "1 VELDRONIX_WINDOWS_ARCH=arm64: expected i686 or x86_64"

# Windows paths through drive Z:, spaces and Japanese kept, relative paths made whole.
check "windows_path absolute" "$(windows_path "/tmp/a b/ドライブ.csv")" 'Z:\tmp\a b\ドライブ.csv'
check "windows_path relative" "$(cd / && windows_path tmp/x/../y)" 'Z:\tmp\y'

echo "windows-selection: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
