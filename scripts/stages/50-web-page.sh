# The web page: built with emscripten into one file, then worked in headless
# Chromium by tests/web/page_test.py against the host's pulsecalc and page_probe,
# in English and in German; screenshots go to build/web/screenshots. Before
# that, pulsecalc built with the same emscripten and run under node must print
# byte for byte what the host's pulsecalc prints.
set -eu
source "$(dirname "$0")/../lib/common.sh"
source "$(dirname "$0")/../lib/web.sh"
cd "$(project_root)"
ensure_web_toolchain
ensure_web_browser
build_web_page
cmake --preset default >/dev/null
cmake --build --preset default -j "$(build_jobs)" --target pulsecalc veldronix_page_probe veldronix_web_tests
ctest --preset default -R '^PageView|^PageApplication'

# The web build's core against the host's: random and hostile drives one by one,
# and a batch of generated rows.
printf '#!/bin/sh\nexec node "%s" "$@"\n' "$PWD/build/web/cli/pulsecalc.js" >build/web/pulsecalc-node
chmod +x build/web/pulsecalc-node
scripts/compare-outputs build/default/cli/pulsecalc build/web/pulsecalc-node 120 50
batch=$(mktemp)
trap 'rm -f "$batch" "$batch.host" "$batch.web"' EXIT
scripts/gen-batch 20000 50 >"$batch"
build/default/cli/pulsecalc --csv "$batch" >"$batch.host" || true
build/web/pulsecalc-node --csv "$batch" >"$batch.web" || true
if cmp -s "$batch.host" "$batch.web"; then
    echo "web-batch: 20000 generated rows, the same bytes as the host's"
else
    echo "web-batch: the web build's batch output differs from the host's" >&2
    exit 1
fi

rm -rf build/web/screenshots
/usr/bin/python3 tests/web/page_test.py --page "$web_page" --pulsecalc build/default/cli/pulsecalc \
    --probe build/default/tests/web/veldronix_page_probe --screenshots build/web/screenshots
