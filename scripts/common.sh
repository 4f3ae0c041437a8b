# Shared by run.sh and test.sh: installs what is missing and builds into build/.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="$ROOT/build"
JOBS="$(nproc 2>/dev/null || echo 2)"
export WINEPREFIX="$BUILD/wineprefix"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"

log() { printf '\n==> %s\n' "$*"; }

# Installs Debian packages whose marker file or command is missing.
ensure_packages() {
    local missing=()
    local pair marker package
    for pair in "$@"; do
        marker="${pair%%=*}"
        package="${pair#*=}"
        if [[ "$marker" == /* ]]; then
            [[ -e "$marker" ]] || missing+=("$package")
        else
            command -v "$marker" >/dev/null 2>&1 || missing+=("$package")
        fi
    done
    if ((${#missing[@]})); then
        log "Installing ${missing[*]}"
        export DEBIAN_FRONTEND=noninteractive
        apt-get update -qq
        apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
    fi
}

ensure_windows_toolchain() {
    ensure_packages cmake=cmake g++=g++ python3=python3 \
        x86_64-w64-mingw32-g++-posix=g++-mingw-w64-x86-64 \
        i686-w64-mingw32-g++-posix=g++-mingw-w64-i686 \
        chmcmd=fp-utils \
        /usr/src/googletest/CMakeLists.txt=googletest \
        wine=wine /usr/lib/wine/wine64=wine64 Xvfb=xvfb xauth=xauth \
        openbox=openbox import=imagemagick xwininfo=x11-utils 7z=p7zip-full /usr/share/wine/fonts/marlett.ttf=fonts-wine
}

ensure_native_toolchain() {
    ensure_packages cmake=cmake g++=g++ make=make \
        /usr/src/googletest/CMakeLists.txt=googletest \
        /usr/include/gtest/gtest.h=libgtest-dev \
        /usr/include/benchmark/benchmark.h=libbenchmark-dev \
        /usr/include/pugixml.hpp=libpugixml-dev \
        /usr/lib/python3/dist-packages/xlrd/__init__.py=python3-xlrd
}

# configure_and_build DIR TARGET... -- CMAKE_ARGS...
configure_and_build() {
    local dir="$1"; shift
    local targets=()
    while (($#)) && [[ "$1" != "--" ]]; do targets+=("$1"); shift; done
    [[ "${1:-}" == "--" ]] && shift
    if [[ ! -f "$dir/CMakeCache.txt" ]]; then
        cmake -S "$ROOT" -B "$dir" "$@" >/dev/null
    fi
    local target_args=()
    for t in "${targets[@]}"; do target_args+=(--target "$t"); done
    cmake --build "$dir" -j"$JOBS" "${target_args[@]}"
}

build_windows() {
    log "Building Quorlet.exe (x86_64)"
    configure_and_build "$BUILD/win64" "$@" -- -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/toolchain-mingw64.cmake"
}

# The 32-bit program alone (these machines build it but cannot run it).
build_windows_i686() {
    log "Building Quorlet.exe (i686)"
    configure_and_build "$BUILD/win32" "$@" -- \
        -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/toolchain-mingw32.cmake" -DQUORLET_TESTS=OFF
}

# The optimised Quorlet.exe with the start-up benchmark and its reference programs.
build_startup_bench() {
    ensure_windows_toolchain
    log "Building Quorlet.exe with the start-up, report, properties and Start Menu benchmarks (x86_64)"
    configure_and_build "$BUILD/win64-bench" startup_bench report_bench properties_bench startmenu_bench -- \
        -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/toolchain-mingw64.cmake" \
        -DQUORLET_BENCH=ON -DQUORLET_TESTS=OFF -DCMAKE_BUILD_TYPE=Release
}

# Xvfb with a window manager and the Wine prefix, stopped when the script ends.
start_wine_display() {
    trap stop_wine_and_xvfb EXIT
    start_xvfb
    start_window_manager
    ensure_wine_prefix
}

ensure_wine_prefix() {
    if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
        log "Preparing the Wine prefix in $WINEPREFIX"
        mkdir -p "$WINEPREFIX"
        wineboot -i >/dev/null 2>&1 || true
        wineserver -w
    fi
}

# Starts Xvfb on a free display; sets DISPLAY and XVFB_PID. Several runs may
# start at once (other checkouts, the stress script): a display another run took
# first makes this Xvfb end, and the next number is tried.
XVFB_PID=""
WM_PID=""
start_xvfb() {
    local n=90 i
    while ((n < 190)); do
        if [[ ! -e "/tmp/.X11-unix/X$n" && ! -e "/tmp/.X$n-lock" ]]; then
            Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
            XVFB_PID=$!
            for i in $(seq 1 100); do
                kill -0 "$XVFB_PID" 2>/dev/null || break
                if [[ -e "/tmp/.X11-unix/X$n" && "$(cat "/tmp/.X$n-lock" 2>/dev/null | tr -d ' ')" == "$XVFB_PID" ]]; then
                    export DISPLAY=":$n"
                    return 0
                fi
                sleep 0.1
            done
            kill "$XVFB_PID" 2>/dev/null || true
            wait "$XVFB_PID" 2>/dev/null || true
            XVFB_PID=""
        fi
        n=$((n + 1))
    done
    echo "Xvfb did not start" >&2
    return 1
}

# A window manager gives windows the focus and activation they have on a desktop.
start_window_manager() {
    openbox >/dev/null 2>&1 &
    WM_PID=$!
    sleep 0.5
}

stop_wine_and_xvfb() {
    wineserver -k >/dev/null 2>&1 || true
    if [[ -n "$WM_PID" ]]; then
        kill "$WM_PID" 2>/dev/null || true
        wait "$WM_PID" 2>/dev/null || true
        WM_PID=""
    fi
    if [[ -n "$XVFB_PID" ]]; then
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
        XVFB_PID=""
    fi
}

# run_check NAME COMMAND...: a check that is one test in the totals.
run_check() {
    local name="$1"; shift
    if "$@"; then
        PASSED=$((PASSED + 1))
    else
        FAILED=$((FAILED + 1))
        log "FAILED: $name"
    fi
}

# Totals of the ctest runs of one script.
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
