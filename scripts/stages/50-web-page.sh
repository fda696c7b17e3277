# The web page: built with emscripten into one file, then worked in headless
# Chromium by tests/web/page_test.py against the host's pulsecalc and page_probe,
# in English and in German; screenshots go to build/web/screenshots. Before
# that, pulsecalc built with the same emscripten and run under node must print
# byte for byte what the host's pulsecalc prints, and the web build's
# parseNumber must give the host's bits.
set -eu
source "$(dirname "$0")/../lib/common.sh"
source "$(dirname "$0")/../lib/web.sh"
cd "$(project_root)"
ensure_web_toolchain
ensure_web_browser
build_web_page
cmake --preset default >/dev/null
cmake --build --preset default -j "$(build_jobs)" --target pulsecalc veldronix_page_probe veldronix_web_tests \
    veldronix_number_echo
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

# The parser itself, bit for bit, on 200,000 random decimal texts of every shape.
python3 - 200000 51 >"$batch" <<'PYTHON'
import random, sys
count, seed = int(sys.argv[1]), int(sys.argv[2])
rng = random.Random(seed)
for _ in range(count):
    digits = "".join(rng.choice("0123456789") for _ in range(1 + rng.randrange(25 if rng.randrange(5) == 0 else 9)))
    cut = rng.randrange(len(digits) + 1)
    text = digits[:cut] + "." + digits[cut:] if rng.randrange(2) else digits
    if rng.randrange(3) == 0:
        text += rng.choice("eE") + rng.choice(["", "+", "-"]) + str(rng.randrange(400 if rng.randrange(4) == 0 else 30))
    print(rng.choice(["", "", "-", "+", " "]) + text)
PYTHON
build/default/tests/web/veldronix_number_echo <"$batch" >"$batch.host"
node build/web/ui/web/veldronix_number_echo.js <"$batch" >"$batch.web"
if [ "$(wc -l <"$batch.host")" -eq 200000 ] && cmp -s "$batch.host" "$batch.web"; then
    echo "web-parse: 200000 random decimal texts, the same bits as the host's"
else
    echo "web-parse: the web build's parseNumber differs from the host's" >&2
    exit 1
fi

rm -rf build/web/screenshots
/usr/bin/python3 tests/web/page_test.py --page "$web_page" --pulsecalc build/default/cli/pulsecalc \
    --probe build/default/tests/web/veldronix_page_probe --screenshots build/web/screenshots
