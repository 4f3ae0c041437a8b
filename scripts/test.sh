#!/usr/bin/env bash
# Builds and runs every test: the native core suite (plain and with sanitizers),
# the i686 compile check, and the Windows suites under Wine inside Xvfb.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

ensure_native_toolchain
ensure_windows_toolchain

PASSED=0
FAILED=0
# run_ctest DIR: runs ctest there and adds its counts to the totals.
run_ctest() {
    local dir="$1" out status=0
    out="$(mktemp)"
    (cd "$dir" && ctest --output-on-failure --timeout 900) 2>&1 | tee "$out" || status=$?
    local line total failed
    line="$(grep -E '[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$out" | tail -1 || true)"
    if [[ -n "$line" ]]; then
        failed="$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")"
        total="$(sed -E 's/.* failed out of ([0-9]+).*/\1/' <<<"$line")"
        PASSED=$((PASSED + total - failed))
        FAILED=$((FAILED + failed))
    else
        FAILED=$((FAILED + 1))
    fi
    ((status == 0)) || ((FAILED > 0)) || FAILED=$((FAILED + 1))
    if ((status != 0)); then
        # The suites' output is long and noisy: repeat each failure's own lines last.
        log "Failures in $dir"
        tr -d '\r' <"$out" | grep -a -v '^ALSA lib' |
            awk '/: Failure$/ { on = 1 } on { print } /^\[  FAILED  \] .*\([0-9]+ ms\)$/ { on = 0 }' | head -300 || true
    fi
    rm -f "$out"
}

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
