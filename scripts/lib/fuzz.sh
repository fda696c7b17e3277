# Shared by scripts/fuzz and the CI fuzz stage: building and running the
# libFuzzer targets. Source common.sh first; it defines functions only.

fuzz_targets="fuzz_parse_number fuzz_setting_texts fuzz_controller fuzz_profile fuzz_csv_batch fuzz_options fuzz_comparison fuzz_move_design fuzz_machine_file"

# Longest input worth generating for a target: a dialog field holds 78 bytes
# (a little more shows that longer texts are cut), the setting texts read
# 53 bytes, the controller takes a sequence of actions; the profile reads at
# most 54 bytes of figures and the rest as a summary line, a batch file and a
# command line (with its CSV file) are texts of any length; the comparison
# reads at most 54 bytes of figures and indices; a move design at most 110 bytes
# of numbers (a type byte, then twelve numbers of up to nine bytes); a machine
# file is a JSON document of a few axes.
fuzz_max_len() {
    case "$1" in
    fuzz_parse_number) echo 96 ;;
    fuzz_setting_texts) echo 64 ;;
    fuzz_controller) echo 2048 ;;
    fuzz_profile) echo 256 ;;
    fuzz_csv_batch) echo 4096 ;;
    fuzz_options) echo 1024 ;;
    fuzz_comparison) echo 64 ;;
    fuzz_move_design) echo 128 ;;
    fuzz_machine_file) echo 4096 ;;
    *) echo "unknown fuzz target: $1 (one of: $fuzz_targets)" >&2; return 1 ;;
    esac
}

# Configures and builds the fuzz preset (clang++ with libFuzzer).
build_fuzzers() {
    ensure_packages cmake ninja-build clang libclang-rt-14-dev
    cmake --preset fuzz >/dev/null
    cmake --build --preset fuzz -j "$(build_jobs)"
}

# Runs one target for the given seconds on its corpus in build/fuzz/corpus
# (seeded from fuzz/corpus, growing from run to run); a crash, a mismatch, a
# leak or a timeout leaves its input in build/fuzz/findings and fails.
run_fuzzer() {
    local target="$1" seconds="$2"
    local max_len
    max_len="$(fuzz_max_len "$target")" || return 1
    local corpus="build/fuzz/corpus/$target"
    mkdir -p "$corpus" build/fuzz/findings
    cp -n fuzz/corpus/"$target"/* "$corpus"/ 2>/dev/null || true
    echo "--- $target for ${seconds}s" >&2
    "build/fuzz/fuzz/$target" -max_total_time="$seconds" -max_len="$max_len" -timeout=10 \
        -print_final_stats=1 -artifact_prefix="build/fuzz/findings/$target-" "$corpus"
}
