# The whole host suite again under AddressSanitizer and UndefinedBehaviorSanitizer.
set -eu
source "$(dirname "$0")/../lib/common.sh"
source "$(dirname "$0")/../lib/locale.sh"
cd "$(project_root)"
ensure_german_locale
cmake --preset sanitize >/dev/null
cmake --build --preset sanitize -j "$(build_jobs)"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --preset sanitize -j "$(build_jobs)"
