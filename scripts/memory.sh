#!/usr/bin/env bash
# Private memory of Quorlet.exe against the floor program under Wine: RssAnon
# in /proc/<pid>/status of the Wine process of each program, read while the
# program runs with its window shown, idle and settled. bench.sh runs this
# after the start-up time; run alone, it builds what it needs and starts its
# own Xvfb. QUORLET_MEMORY_SETTLE sets the seconds to wait after the window is
# idle (3); QUORLET_MEMORY_EXE measures another build of Quorlet.exe;
# QUORLET_MEMORY_SMAPS names a folder to keep each process's smaps in.

# The Linux pid of the running Wine process whose command line holds $1.
wine_pid_of() {
    local needle="$1" p
    for p in /proc/[0-9]*; do
        if tr '\0' '\n' <"$p/cmdline" 2>/dev/null | grep -qF -- "$needle"; then
            echo "${p#/proc/}"
            return 0
        fi
    done
    return 1
}

rss_anon_kb() { awk '/^RssAnon:/ {print $2}' "/proc/$1/status"; }

mb() { awk -v kb="$1" 'BEGIN {printf "%.1f", kb / 1024}'; }

# Runs startup_bench.exe --memory: it starts each program and names it on a
# line; the figure is read here and a line back lets it close the program.
measure_memory() {
    local bench="$BUILD/win64-bench/bench/startup_bench.exe"
    local settle="${QUORLET_MEMORY_SETTLE:-3}"
    local -A kb=()
    local line name target pid
    local exe=()
    [[ -n "${QUORLET_MEMORY_EXE:-}" ]] && exe=("$QUORLET_MEMORY_EXE")
    coproc MEMORY_BENCH { wine "$bench" --memory "$settle" "${exe[@]}" 2>&1; }
    local bench_pid=$MEMORY_BENCH_PID
    while IFS= read -r line <&"${MEMORY_BENCH[0]}"; do
        line="${line%$'\r'}"
        case "$line" in
            "measure "*)
                name="${line#measure }"
                target="${name#*$'\t'}"
                name="${name%%$'\t'*}"
                if ! pid="$(wine_pid_of "$target")"; then
                    echo "No process runs $target" >&2
                    return 1
                fi
                kb[$name]="$(rss_anon_kb "$pid")"
                [[ -n "${QUORLET_MEMORY_SMAPS:-}" ]] && cp "/proc/$pid/smaps" "$QUORLET_MEMORY_SMAPS/$name.smaps"
                echo next >&"${MEMORY_BENCH[1]}"
                ;;
            "memory done") break ;;
            *) echo "$line" ;;
        esac
    done
    wait "$bench_pid" || return 1
    local n
    for n in quorlet-10x20 quorlet-empty floor floor-plain; do
        [[ -n "${kb[$n]:-}" ]] || { echo "No figure for $n" >&2; return 1; }
    done
    local floor="${kb[floor]}"
    printf '%-44s %10s %12s\n' "private memory (RssAnon), settled ${settle} s" "MB" "over floor"
    printf '%-44s %10s %12s\n' "floor program (common controls 6 manifest)" "$(mb "$floor")" ""
    printf '%-44s %10s %12s\n' "floor program (no manifest)" "$(mb "${kb[floor-plain]}")" \
        "$(mb $((kb[floor-plain] - floor)))"
    printf '%-44s %10s %12s\n' "Quorlet.exe, no document (default one)" "$(mb "${kb[quorlet-empty]}")" \
        "$(mb $((kb[quorlet-empty] - floor)))"
    printf '%-44s %10s %12s\n' "Quorlet.exe, 10 tab sheets x 20 buttons" "$(mb "${kb[quorlet-10x20]}")" \
        "$(mb $((kb[quorlet-10x20] - floor)))"
    local verdict="NOT met"
    ((kb[quorlet-10x20] - floor <= 4096)) && verdict="met"
    echo "target, Quorlet (10 x 20) within 4 MB of the floor (with the manifest): $verdict"
}

if [[ "${BASH_SOURCE[0]}" == "$0" ]]; then
    source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
    build_startup_bench
    start_wine_display
    log "Private memory under Wine"
    measure_memory
fi
