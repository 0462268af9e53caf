#!/bin/sh
# Runs each fuzz program for a while on a working copy of its seed corpus
# (new inputs stay in the build folder) and prints one line per program:
# seconds, executions, executions per second, and whether it found a fault.
# A fault leaves the input in BUILD/fuzz-crashes/ and fails the run.
# FUZZ_SEED fixes the fuzzer's random seed (CI uses it so that a smoke run
# does not go red on a fault it happened upon rather than one a change made).
# Usage: run_fuzzers.sh BUILD SECONDS NAME...
set -u
build=$(cd "$1" && pwd)
seconds=$2
shift 2
source=$(cd "$(dirname "$0")/.." && pwd)
export ORVANE_SUPPORT="$source/examples/product:$source/examples/support"
crashes="$build/fuzz-crashes"
mkdir -p "$crashes"
failed=0
for name in "$@"; do
    corpus="$build/fuzz-corpus/$name"
    mkdir -p "$corpus"
    log="$build/fuzz-$name.log"
    # One input may take at most 10 s; a slower one is reported as a fault.
    "$build/fuzz_$name" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
        -print_final_stats=1 -artifact_prefix="$crashes/$name-" ${FUZZ_SEED:+-seed="$FUZZ_SEED"} \
        "$corpus" "$source/fuzz/corpus/$name" > "$log" 2>&1
    status=$?
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
    if [ "$status" -eq 0 ]; then
        verdict="no fault"
    else
        verdict="FAULT (see $log)"
        failed=1
    fi
    echo "fuzz_$name: ${seconds} s, ${runs:-?} runs, ${rate:-?} runs/s, $verdict"
done
exit $failed
