# The core, controller and CLI suites on the host build.
set -eu
source "$(dirname "$0")/../lib/common.sh"
cd "$(project_root)"
cmake --preset default >/dev/null
cmake --build --preset default -j "$(build_jobs)"
ctest --preset default -j "$(build_jobs)"
