# Runs every stage script of a folder in name order, each in its own bash;
# reports each and fails when any failed. Source common.sh first.
run_stages() {
    local folder="$1"
    local passed=0 failed=0 stage
    for stage in "$folder"/*.sh; do
        [ -e "$stage" ] || continue
        echo "=== stage $(basename "$stage" .sh)"
        if bash "$stage"; then
            passed=$((passed + 1))
        else
            echo "=== stage $(basename "$stage" .sh) FAILED"
            failed=$((failed + 1))
        fi
    done
    echo "stages: $passed passed, $failed failed"
    [ "$failed" -eq 0 ]
}
