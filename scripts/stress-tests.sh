#!/usr/bin/env bash
# Runs the Windows suites N times (default 3) while every core is kept busy by
# other processes, as on a loaded machine: a test that waits for a fixed time
# instead of for its condition fails here.
#   bash scripts/stress-tests.sh [N]
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
RUNS="${1:-3}"
ensure_windows_toolchain
build_windows

BUSY_PIDS=()
stop_busy() {
    ((${#BUSY_PIDS[@]})) && kill "${BUSY_PIDS[@]}" 2>/dev/null
    # The busy processes end by the signal: their status is no failure of the runs.
    wait "${BUSY_PIDS[@]}" 2>/dev/null || true
    BUSY_PIDS=()
    stop_wine_and_xvfb
}
start_wine_display
trap stop_busy EXIT
for _ in $(seq 1 "$JOBS"); do
    (while :; do :; done) &
    BUSY_PIDS+=($!)
done

results=()
for run in $(seq 1 "$RUNS"); do
    log "Stress run $run of $RUNS ($JOBS busy processes)"
    before=$FAILED
    run_ctest "$BUILD/win64"
    if ((FAILED == before)); then results+=("run $run: passed"); else results+=("run $run: FAILED"); fi
done
echo
printf '%s\n' "${results[@]}"
echo "Summary: $PASSED passed, $FAILED failed over $RUNS runs"
((FAILED == 0))
