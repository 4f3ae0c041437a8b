#!/usr/bin/env bash
# Builds Quorlet.exe and starts it under Wine: on the current display when DISPLAY
# is set, otherwise in Xvfb, where it saves a screenshot of the running window.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

ensure_windows_toolchain
build_windows Quorlet

EXE="$BUILD/win64/Quorlet.exe"
if [[ -n "${DISPLAY:-}" ]]; then
    ensure_wine_prefix
    log "Starting Quorlet on $DISPLAY"
    exec wine "$EXE"
fi

SHOT="$BUILD/quorlet-screenshot.png"
trap stop_wine_and_xvfb EXIT
start_xvfb
ensure_wine_prefix
log "Starting Quorlet in Xvfb ($DISPLAY)"
# A Wine desktop window draws the frames that a bare X server would leave out.
wine explorer /desktop=Quorlet,800x600 "$EXE" >/dev/null 2>&1 &
for i in $(seq 1 150); do
    if xwininfo -root -tree 2>/dev/null | grep -q '"Quorlet - Wine desktop"' && [[ -f "$BUILD/win64/Quorlet.xml" ]]; then break; fi
    sleep 0.2
done
sleep 2
import -window root -crop 800x600+0+0 +repage "$SHOT"
echo "Screenshot of the running window: $SHOT"
