#!/usr/bin/env bash
# Builds and runs the benchmarks: the native ones (optimised), then the start-up
# time of Quorlet.exe against an empty window under Wine in a private Xvfb.
# QUORLET_STARTUP_RUNS sets the number of starts of each program (25). Last,
# the private memory of Quorlet.exe against a floor program (memory.sh).
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
source "$ROOT/scripts/memory.sh"
ensure_native_toolchain
configure_and_build "$BUILD/bench" -- -DQUORLET_BENCH=ON -DQUORLET_TESTS=OFF -DCMAKE_BUILD_TYPE=Release
for b in "$BUILD"/bench/bench/*_bench; do
    [[ -x "$b" ]] && "$b"
done

ensure_windows_toolchain
log "Building Quorlet.exe and the start-up benchmark (x86_64)"
configure_and_build "$BUILD/win64-bench" startup_bench -- \
    -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/toolchain-mingw64.cmake" \
    -DQUORLET_BENCH=ON -DQUORLET_TESTS=OFF -DCMAKE_BUILD_TYPE=Release
trap stop_wine_and_xvfb EXIT
start_xvfb
start_window_manager
ensure_wine_prefix
log "Start-up time under Wine"
wine "$BUILD/win64-bench/bench/startup_bench.exe" "${QUORLET_STARTUP_RUNS:-25}"
log "Private memory under Wine"
measure_memory
