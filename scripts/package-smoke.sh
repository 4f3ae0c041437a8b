#!/usr/bin/env bash
# Runs the win64 download as a user would: dist/Quorlet-<version>-win64.zip is
# unpacked into a fresh folder whose path holds a space, and the smoke test
# (tests/package/PackageSmoke_test.cpp) starts the unpacked Quorlet.exe in a
# fresh Wine prefix inside a private Xvfb. Run scripts/package.sh first.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

ensure_windows_toolchain
build_windows package_smoke

shopt -s nullglob
archives=("$ROOT"/dist/Quorlet-*-win64.zip)
if ((${#archives[@]} != 1)); then
    echo "Expected one win64 archive in $ROOT/dist (run scripts/package.sh): ${archives[*]:-none}" >&2
    exit 1
fi
SMOKE="$BUILD/package-smoke"
unpacked="$SMOKE/Unpacked Quorlet"
rm -rf "$SMOKE"
mkdir -p "$unpacked"
log "Unpacking $(basename "${archives[0]}") into $unpacked"
7z x -o"$unpacked" "${archives[0]}" >/dev/null

export WINEPREFIX="$SMOKE/wineprefix"
start_wine_display
log "Smoke test of the unpacked program under Wine"
QUORLET_PACKAGE_DIR="Z:$unpacked/Quorlet" wine "$BUILD/win64/tests/package_smoke.exe"
stop_wine_and_xvfb
rm -rf "$WINEPREFIX"
