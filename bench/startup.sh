#!/usr/bin/env bash
# Start-up benchmark of the look-up window: from process start to the window's first paint,
# under a private Xvfb with openbox, on the bundled catalogue; the median of several runs and the
# peak resident memory (VmHWM) at first paint. The same is measured for a bare Qt window with a
# menu bar (the floor), and zelk is reported as a ratio to it.
# Goals on a 2-core machine: under 250 ms and under 60 MB.
# Usage: bench/startup.sh [RUNS]   (default 9; builds build/ first)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-9}

if [ -z "${ZELK_X11_DISPLAY:-}" ]; then
    scripts/setup build >&2
    exec scripts/x11-session "$0" "$runs"
fi
export QT_QPA_PLATFORM=xcb ZELK_REPORT_FIRST_PAINT=1
out=$(mktemp)
trap 'rm -f "$out"' EXIT

# One run of the command: "<milliseconds to first paint> <peak RSS in kB>".
measure() {
    : >"$out"
    local start=${EPOCHREALTIME/./}
    "$@" >"$out" 2>/dev/null &
    local pid=$!
    for _ in $(seq 1 1000); do
        grep -q '^first-paint-ns ' "$out" && break
        sleep 0.01
    done
    local painted hwm
    painted=$(awk '/^first-paint-ns /{print $2}' "$out")
    hwm=$(awk '/^VmHWM:/{print $2}' "/proc/$pid/status")
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    [ -n "$painted" ] || { echo "startup: no first paint from $1" >&2; exit 1; }
    echo "$(( (painted / 1000 - start) / 1000 )) $hwm"
}

# Median of the first column, largest of the second.
summarize() {
    sort -n | awk '{ms[NR] = $1; if ($2 > kb) kb = $2}
        END {printf "%d %.1f\n", (NR % 2 ? ms[(NR + 1) / 2] : (ms[NR / 2] + ms[NR / 2 + 1]) / 2), kb / 1024}'
}

# zelk and the floor take turns, so that whatever else the machine does weighs on both alike.
# One unmeasured run of each first: it fills the file cache, as any later start finds it.
zelk=(build/bin/zelk data/JISTEELW.CSV)
floor=(build/bin/bench-floor-window)
measure "${zelk[@]}" >/dev/null
measure "${floor[@]}" >/dev/null
zelk_runs=$(mktemp)
floor_runs=$(mktemp)
trap 'rm -f "$out" "$zelk_runs" "$floor_runs"' EXIT
for _ in $(seq 1 "$runs"); do
    measure "${zelk[@]}" >>"$zelk_runs"
    measure "${floor[@]}" >>"$floor_runs"
done
read -r zelk_ms zelk_mb < <(summarize <"$zelk_runs")
read -r floor_ms floor_mb < <(summarize <"$floor_runs")
printf 'zelk start-up to first paint: median %s ms of %s runs (goal < 250 ms), peak RSS %s MB (goal < 60 MB)\n' \
    "$zelk_ms" "$runs" "$zelk_mb"
printf 'floor (bare Qt window with menu bar): median %s ms, peak RSS %s MB\n' "$floor_ms" "$floor_mb"
awk -v a="$zelk_ms" -v b="$floor_ms" -v c="$zelk_mb" -v d="$floor_mb" \
    'BEGIN {printf "ratio zelk / floor: time %.2f, memory %.2f\n", a / (b > 0 ? b : 1), c / d}'
