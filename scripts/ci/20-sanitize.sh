# The whole host suite again under AddressSanitizer and UndefinedBehaviorSanitizer.
set -eu
source "$(dirname "$0")/../lib/common.sh"
cd "$(project_root)"
cmake --preset sanitize >/dev/null
cmake --build --preset sanitize -j "$(build_jobs)"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --preset sanitize -j "$(build_jobs)"
