#!/usr/bin/env bash
# CPU time of an armed alarm while it is not due: Quorlet.exe runs idle under
# Wine for QUORLET_IDLE_SECONDS (60) with the alarm armed twelve hours ahead,
# then as long with the alarm off; the difference is what the ticks cost,
# scaled to an hour. Counted: the program's own process and the Wine server,
# through which every timer message of a Wine program passes.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
source "$ROOT/scripts/memory.sh"

SECONDS_IDLE="${QUORLET_IDLE_SECONDS:-60}"
TICKS_PER_SECOND="$(getconf CLK_TCK)"

# utime + stime of a Linux process, in clock ticks.
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }

# A program folder with a settings document whose alarm is $1 (1 armed, 0 off).
prepare_folder() {
    local dir="$1" armed="$2" doc pid
    rm -rf "$dir"
    mkdir -p "$dir"
    cp "$BUILD/win64/Quorlet.exe" "$dir/"
    # The first start writes the new document; the program is ended once it has.
    wine "$dir/Quorlet.exe" >/dev/null 2>&1 &
    for _ in $(seq 1 100); do
        doc="$(ls "$dir"/QL_*.xml 2>/dev/null | head -1 || true)"
        [[ -n "$doc" ]] && break
        sleep 0.2
    done
    [[ -n "$doc" ]] || { echo "No settings document in $dir" >&2; return 1; }
    sleep 1
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w 2>/dev/null || true
    local later
    later="$(date -d '+12 hours' +%Y-%m-%dT%H-%M-%S)"
    sed -i -e "s/\(<Item Name=\"AlarmOn\" Value=\"\)[01]\"/\1$armed\"/" \
        -e "s/\(<Item Name=\"Time\" Value=\"\)[^\"]*\"/\1$later\"/" \
        -e "s/\(<Item Name=\"AutoCheckUpdate\" Value=\"\)[01]\"/\10\"/" "$doc"
    grep -q "<Item Name=\"AlarmOn\" Value=\"$armed\"" "$doc" || { echo "AlarmOn not set in $doc" >&2; return 1; }
}

# CPU ticks of the program and of the Wine server over the idle period.
measure_idle() {
    local dir="$1" pid server before after server_before server_after
    wine "$dir/Quorlet.exe" >/dev/null 2>&1 &
    for _ in $(seq 1 100); do
        pid="$(wine_pid_of "$dir/Quorlet.exe" || true)"
        [[ -n "$pid" ]] && break
        sleep 0.2
    done
    [[ -n "$pid" ]] || { echo "Quorlet.exe did not start" >&2; return 1; }
    sleep 5  # start-up done, window idle
    server="$(pgrep -x "wineserver(64)?" | head -1)"
    before="$(cpu_ticks "$pid")"
    server_before="$(cpu_ticks "$server")"
    sleep "$SECONDS_IDLE"
    after="$(cpu_ticks "$pid")"
    server_after="$(cpu_ticks "$server")"
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w 2>/dev/null || true
    echo "$((after - before)) $((server_after - server_before))"
}

ms_per_hour() { awk -v t="$1" -v hz="$TICKS_PER_SECOND" -v s="$SECONDS_IDLE" 'BEGIN {printf "%.0f", t * 1000 / hz * 3600 / s}'; }

ensure_windows_toolchain
build_windows Quorlet
start_wine_display
WORK="$BUILD/alarm-idle"
log "Idle CPU time, ${SECONDS_IDLE} s each, alarm armed and alarm off"
prepare_folder "$WORK/armed" 1
prepare_folder "$WORK/off" 0
read -r ARMED ARMED_SERVER < <(measure_idle "$WORK/armed")
read -r OFF OFF_SERVER < <(measure_idle "$WORK/off")
printf '%-34s %14s %14s\n' "CPU ms per hour (from ${SECONDS_IDLE} s)" "Quorlet.exe" "wineserver"
printf '%-34s %14s %14s\n' "alarm armed, not due" "$(ms_per_hour "$ARMED")" "$(ms_per_hour "$ARMED_SERVER")"
printf '%-34s %14s %14s\n' "alarm off" "$(ms_per_hour "$OFF")" "$(ms_per_hour "$OFF_SERVER")"
printf '%-34s %14s %14s\n' "the ticks' share" "$(ms_per_hour $((ARMED - OFF)))" \
    "$(ms_per_hour $((ARMED_SERVER - OFF_SERVER)))"
echo "(clock ticks of ${TICKS_PER_SECOND} Hz: a figure is exact to $(ms_per_hour 1) ms per hour)"
