# The web page: what it needs installed and how it is built. Source common.sh first.

web_page=build/web/veldronix.html

# Debian's emscripten (with its clang, lld, binaryen and node) builds the page;
# {fmt} and fast_float come from the host's header packages.
ensure_web_toolchain() {
    ensure_build_tools
    ensure_packages emscripten
}

# Headless Chromium driven through Selenium, with the Japanese Gothic the page asks for.
ensure_web_browser() {
    ensure_packages chromium chromium-driver python3-selenium fonts-ipafont-gothic
}

# Configures the web preset and builds the page (and pulsecalc.js); the build's
# output is shown only when it fails. emscripten's JavaScript optimizer finds
# Debian's acorn only through NODE_PATH (the preset sets it as well).
build_web_page() {
    local log
    log=$(mktemp)
    export NODE_PATH=/usr/share/nodejs
    if ! { cmake --preset web && cmake --build --preset web -j "$(build_jobs)" "$@"; } >"$log" 2>&1; then
        cat "$log" >&2
        rm -f "$log"
        return 1
    fi
    rm -f "$log"
}
