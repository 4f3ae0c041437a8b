#!/usr/bin/env bash
# Builds and runs every test: the native core suite (plain and with sanitizers),
# the i686 compile check, and the Windows suites under Wine inside Xvfb.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

ensure_native_toolchain
ensure_windows_toolchain

log "Native build"
configure_and_build "$BUILD/native" -- -DQUORLET_BENCH=ON
log "Native tests"
run_ctest "$BUILD/native"

log "Native build with AddressSanitizer and UndefinedBehaviorSanitizer"
configure_and_build "$BUILD/native-san" -- -DQUORLET_SANITIZE=ON
log "Native tests with sanitizers"
ASAN_OPTIONS="detect_leaks=1:abort_on_error=1" UBSAN_OPTIONS="print_stacktrace=1" run_ctest "$BUILD/native-san"

build_windows
log "Building Quorlet.exe (i686)"
configure_and_build "$BUILD/win32" Quorlet -- \
    -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/toolchain-mingw32.cmake" -DQUORLET_TESTS=OFF

log "Windows tests under Wine"
trap stop_wine_and_xvfb EXIT
start_xvfb
start_window_manager
ensure_wine_prefix
run_ctest "$BUILD/win64"
stop_wine_and_xvfb

echo
echo "Summary: $PASSED passed, $FAILED failed"
((FAILED == 0))
