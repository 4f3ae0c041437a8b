#!/usr/bin/env bash
# Builds the 64-bit program with its Windows suite and runs the suite under Wine
# in a private Xvfb with a window manager. Arguments go to the suite, for example
#   bash scripts/win-tests.sh --gtest_filter='AlarmEndToEndTest.*' --gtest_repeat=3
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
ensure_windows_toolchain
build_windows
start_wine_display
log "Windows suite under Wine $*"
cd "$BUILD/win64/tests"
wine ./win_tests.exe "$@"
