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
ensure_packages() {
    echo "install $*" >>"$scratch/actions"
    if [[ " $* " == *" wine32 "* ]]; then loader_script "$wine32_loader"; fi
}
as_root() { echo "root $*" >>"$scratch/actions"; }
# wine32 is installed only where the i386 architecture is enabled.
dpkg() { if [ "$wine32" = yes ]; then echo i386; fi; }
wineserver() { :; }
# A loader that makes the prefix as wineboot would.
loader_script() {
    printf '#!/bin/sh\n[ "$1" = wineboot ] && mkdir -p "$WINEPREFIX" && touch "$WINEPREFIX/system.reg"\nexit 0\n' >"$1"
    chmod +x "$1"
}
loader_script "$scratch/wine64"
wine64_loader="$scratch/wine64"

# given: forced native wine32 | expected: arch preset bits loader WINEARCH prefix ensure_wine | actions
cases=(
    "-      yes yes | i686   windows   32-bit wine   win32 wineprefix   ok    | install wine wine32 fonts-wine"
    "-      yes no  | i686   windows   32-bit wine   win32 wineprefix   ok    | root dpkg --add-architecture i386,install wine wine32 fonts-wine"
    "-      no  yes | x86_64 windows64 64-bit wine64 win64 wineprefix64 ok    | install wine64 fonts-wine"
    "-      no  no  | x86_64 windows64 64-bit wine64 win64 wineprefix64 ok    | install wine64 fonts-wine"
    "i686   yes no  | i686   windows   32-bit wine   win32 wineprefix   ok    | root dpkg --add-architecture i386,install wine wine32 fonts-wine"
    "i686   no  no  | i686   windows   32-bit -      -     -            fails |"
    "x86_64 yes yes | x86_64 windows64 64-bit wine64 win64 wineprefix64 ok    | install wine64 fonts-wine"
)
for row in "${cases[@]}"; do
    IFS='|' read -r given expected actions <<<"$row"
    read -r forced native wine32 <<<"$given"
    read -r arch preset bits loader winearch prefix result <<<"$expected"
    actions="${actions# }"
    name="forced=$forced native=$native wine32=$wine32"
    (
        rm -rf "$scratch/project" "$scratch/actions" "$scratch/wine"
        touch "$scratch/actions"
        if [ "$wine32" = yes ]; then loader_script "$scratch/wine"; fi
        wine32_loader="$scratch/wine"
        if [ "$forced" = - ]; then unset VELDRONIX_WINDOWS_ARCH; else export VELDRONIX_WINDOWS_ARCH=$forced; fi
        unset WINELOADER WINEARCH WINEPREFIX
        select_windows_programs
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
