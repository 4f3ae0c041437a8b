#!/usr/bin/env bash
# Builds and runs the benchmarks: the native ones (optimised), then the start-up
# time of Quorlet.exe against an empty window under Wine in a private Xvfb.
# QUORLET_STARTUP_RUNS sets the number of starts of each program (25). Then the
# time from the global hot key to the window shown (QUORLET_HOTKEY_RUNS, 21),
# then a find keystroke against a tab change (QUORLET_FIND_RUNS rounds, 21), the
# frequency report's opening and exports (QUORLET_REPORT_RUNS rounds, 21), and
# the reading of 500 Start Menu shortcuts (QUORLET_STARTMENU_RUNS, 11). Last,
# the private memory of Quorlet.exe against a floor program (memory.sh).
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
source "$ROOT/scripts/memory.sh"
ensure_native_toolchain
configure_and_build "$BUILD/bench" -- -DQUORLET_BENCH=ON -DQUORLET_TESTS=OFF -DCMAKE_BUILD_TYPE=Release
for b in "$BUILD"/bench/bench/*_bench; do
    [[ -x "$b" ]] && "$b"
done

build_startup_bench
start_wine_display
log "Start-up time under Wine"
wine "$BUILD/win64-bench/bench/startup_bench.exe" "${QUORLET_STARTUP_RUNS:-25}"
log "Hot key to window shown under Wine"
wine "$BUILD/win64-bench/bench/startup_bench.exe" --hotkey "${QUORLET_HOTKEY_RUNS:-21}"
log "Find keystroke against a tab change under Wine"
wine "$BUILD/win64-bench/bench/startup_bench.exe" --find "${QUORLET_FIND_RUNS:-21}"
log "Frequency report under Wine"
wine "$BUILD/win64-bench/bench/report_bench.exe" "${QUORLET_REPORT_RUNS:-21}"
log "Button properties dialog under Wine"
wine "$BUILD/win64-bench/bench/properties_bench.exe" "${QUORLET_PROPERTIES_RUNS:-21}"
log "Reading 500 Start Menu shortcuts under Wine"
wine "$BUILD/win64-bench/bench/startmenu_bench.exe" "${QUORLET_STARTMENU_RUNS:-11}"
log "Private memory under Wine"
measure_memory
