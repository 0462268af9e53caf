#!/bin/sh
# Runs each fuzz program for a while on a working copy of its seed corpus
# (new inputs stay in the build folder) and prints one line per program:
# seconds, executions, executions per second, and whether it found a fault.
# A fault leaves the input in BUILD/fuzz-crashes/ and fails the run.
# FUZZ_SEED fixes the fuzzer's random seed and FUZZ_RUNS bounds each program
# by a number of inputs instead of SECONDS: with both, a smoke run does the
# same amount of work on a fast machine as on a slow one (the inputs tried
# still vary a little, as coverage feedback depends on addresses).
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
    # Inputs that once found faults start every run too.
    # (the list of names was expanded when the loop began, so the positional
    # parameters are free to hold this program's corpus folders)
    set -- "$corpus" "$source/fuzz/corpus/$name"
    [ -d "$source/fuzz/regressions/$name" ] && set -- "$@" "$source/fuzz/regressions/$name"
    # One input may take at most 10 s; a slower one is reported as a fault.
    if [ -n "${FUZZ_RUNS:-}" ]; then bound="-runs=$FUZZ_RUNS"; else bound="-max_total_time=$seconds"; fi
    "$build/fuzz_$name" "$bound" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
        -print_final_stats=1 -artifact_prefix="$crashes/$name-" ${FUZZ_SEED:+-seed="$FUZZ_SEED"} \
        "$@" > "$log" 2>&1
    status=$?
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
    if [ "$status" -eq 0 ]; then
        verdict="no fault"
    else
        verdict="FAULT (see $log)"
        failed=1
    fi
    echo "fuzz_$name: ${runs:-?} runs, ${rate:-?} runs/s, $verdict"
done
exit $failed
