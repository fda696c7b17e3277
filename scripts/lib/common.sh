# Shared by the project's scripts: package installation and the virtual display.
# Source it; it defines functions only.

project_root() {
    cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd
}

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# apt-get update, tried three times: a mirror caught in its sync serves an index
# whose size its Release file does not name ("Mirror sync in progress?"), which a
# minute later may be whole. An index still failing after that is only warned
# of: the lists that did arrive are used, and the install itself fails, naming
# the package, where what is missing was on the failed index.
update_package_lists() {
    local attempt
    for attempt in 1 2 3; do
        as_root apt-get -o DPkg::Lock::Timeout=900 update -qq >&2 && return 0
        [ "$attempt" -lt 3 ] && sleep 20
    done
    echo "warning: some package lists could not be updated; installing from those that were" >&2
}

# Installs the Debian packages among the arguments that are missing; runs
# apt-get update once per process when something is to be installed.
ensure_packages() {
    local missing=()
    local package
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "installing: ${missing[*]}" >&2
    if [ -z "${VELDRONIX_APT_UPDATED:-}" ]; then
        update_package_lists
        export VELDRONIX_APT_UPDATED=1
    fi
    DEBIAN_FRONTEND=noninteractive as_root apt-get -o DPkg::Lock::Timeout=900 install -y -qq --no-install-recommends "${missing[@]}" >&2
}

# The host toolchain every build needs.
ensure_build_tools() {
    ensure_packages cmake ninja-build g++ libgtest-dev libgmock-dev pkg-config python3 libfmt-dev libfast-float-dev
}

# Starts Xvfb on a free display unless one is set; exports DISPLAY.
ensure_display() {
    if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
        return 0
    fi
    ensure_packages xvfb x11-utils
    local number
    for number in $(seq 99 -1 90); do
        if [ ! -e "/tmp/.X11-unix/X$number" ] && [ ! -e "/tmp/.X$number-lock" ]; then
            Xvfb ":$number" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
            export DISPLAY=":$number"
            local tries=0
            until xdpyinfo >/dev/null 2>&1 || [ $tries -ge 50 ]; do sleep 0.1; tries=$((tries + 1)); done
            return 0
        fi
    done
    echo "no free X display for Xvfb" >&2
    return 1
}

# Number of parallel build jobs.
build_jobs() {
    nproc 2>/dev/null || echo 2
}
