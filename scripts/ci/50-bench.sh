# The benchmark program still builds and runs; a short run, the figures are not judged here.
set -eu
source "$(dirname "$0")/../lib/common.sh"
cd "$(project_root)"
bash scripts/bench --benchmark_min_time=0.01 >/dev/null
