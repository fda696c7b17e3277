# The core, controller and CLI suites on the host build.
set -eu
source "$(dirname "$0")/../lib/common.sh"
source "$(dirname "$0")/../lib/locale.sh"
cd "$(project_root)"
ensure_german_locale
cmake --preset default >/dev/null
cmake --build --preset default -j "$(build_jobs)"
ctest --preset default -j "$(build_jobs)"
# The move designs against a brute force of the integers with a model of its own.
scripts/check-designs build/default/cli/pulsecalc 400 1 --jobs "$(build_jobs)"
