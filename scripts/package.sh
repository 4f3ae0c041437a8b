#!/usr/bin/env bash
# Builds the 64-bit and the 32-bit Quorlet.exe (optimised, no debug information
# in the programs, their symbols beside them) and writes the download archives
# to dist/: Quorlet-<version>-win64.zip and -win32.zip, each holding the folder
# Quorlet/ to unzip and run, the symbols in -win64-symbols.zip and
# -win32-symbols.zip, and SHA256SUMS. The version is the one in the program's
# version resource; the same commit gives the same archive bytes.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

ensure_windows_toolchain
build_windows Quorlet QuorletHelp
build_windows_i686 Quorlet QuorletHelp

log "Writing the archives to dist/"
rm -rf "$ROOT/dist"
python3 -B "$ROOT/package/make_archives.py" "$ROOT/dist" "$ROOT/package/ReadMe.txt" "$BUILD/win64" "$BUILD/win32"
