#!/usr/bin/env bash
# Builds and runs every test: the native core suite (plain and with sanitizers),
# the i686 compile check, the Windows suites under Wine inside Xvfb, and the
# download archives (a static check of both, a run of the unpacked win64 one).
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
build_windows_i686 Quorlet QuorletHelp

log "Windows tests under Wine"
trap stop_wine_and_xvfb EXIT
start_xvfb
start_window_manager
ensure_wine_prefix
run_ctest "$BUILD/win64"
stop_wine_and_xvfb

# The download: the archives come from the two builds above, which are the
# shipped configuration. The 32-bit program cannot run here, so its archive is
# checked against the 64-bit one; the 64-bit archive is unpacked and run.
log "Download archives"
run_check "scripts/package.sh writes the archives" bash "$ROOT/scripts/package.sh"
run_check "static check of the archives" python3 -B "$ROOT/package/check_archives.py" "$ROOT/dist"
run_check "smoke test of the unpacked win64 archive" bash "$ROOT/scripts/package-smoke.sh"

echo
echo "Summary: $PASSED passed, $FAILED failed"
((FAILED == 0))
