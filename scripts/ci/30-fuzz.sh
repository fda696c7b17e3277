# Each libFuzzer target for a minute on a copy of its seed corpus; any finding fails.
set -eu
source "$(dirname "$0")/../lib/common.sh"
source "$(dirname "$0")/../lib/fuzz.sh"
cd "$(project_root)"
build_fuzzers
failed=0
for target in $fuzz_targets; do
    rm -rf "build/fuzz/corpus/$target"
    run_fuzzer "$target" 60 || { echo "=== $target found a fault; its input is in build/fuzz/findings" >&2; failed=1; }
done
exit "$failed"
