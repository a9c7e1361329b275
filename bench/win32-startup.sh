#!/usr/bin/env bash
# Start-up benchmark of zelk.exe under Wine: from process start to the lookup window's first
# paint, on the bundled catalogue, the median of several runs; the same for a bare Win32 window
# with the same controls filled from the same catalogue (the floor), in the same run, alternating.
# zelk.exe is reported as a ratio to the floor; goal: at most 1.5.
# Usage: bench/win32-startup.sh [RUNS]   (default 9; builds build-win first)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-9}

if [ -z "${ZELK_X11_DISPLAY:-}" ]; then
    scripts/setup-win build-win build >&2
    exec scripts/x11-session "$0" "$runs"
fi
prefix=build-win/wine-prefix
catalogue="Z:$PWD/data/JISTEELW.CSV"
export ZELK_REPORT_FIRST_PAINT=1
out=$(mktemp)
times=$(mktemp)
# One Wine server for every run, started before the first: its start-up is no program's.
WINEPREFIX=$PWD/$prefix /usr/lib/wine/wineserver -p
trap 'rm -f "$out" "$times"; WINEPREFIX=$PWD/$prefix /usr/lib/wine/wineserver -k 2>/dev/null || true' EXIT

# One run: milliseconds from the start of the process to its first paint.
measure() {
    : >"$out"
    local start=${EPOCHREALTIME/./}
    scripts/wine-run "$prefix" "$@" >"$out" 2>/dev/null &
    local pid=$!
    for _ in $(seq 1 3000); do
        grep -q '^first-paint-ns ' "$out" && break
        sleep 0.01
    done
    local painted
    # The program writes text-mode lines: CR LF.
    painted=$(tr -d '\r' <"$out" | awk '/^first-paint-ns /{print $2}')
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    [ -n "$painted" ] || { echo "win32-startup: no first paint from $1" >&2; exit 1; }
    echo "$(((painted / 1000 - start) / 1000))"
}

median() { sort -n | awk '{v[NR] = $1} END {print (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2)}'; }

# Both programs as they are shipped: without their debugging information, which Wine would
# otherwise read in with the program.
shipped=$(mktemp -d)
trap 'rm -rf "$out" "$times" "$shipped"; WINEPREFIX=$PWD/$prefix /usr/lib/wine/wineserver -k 2>/dev/null || true' EXIT
x86_64-w64-mingw32-strip -o "$shipped/zelk.exe" build-win/bin/zelk.exe
x86_64-w64-mingw32-strip -o "$shipped/floor.exe" build-win/bin/bench-floor-window-win32.exe
# One unmeasured run of each first: they fill the file cache, as any later start finds it.
measure "$shipped/zelk.exe" "$catalogue" >/dev/null
measure "$shipped/floor.exe" "$catalogue" >/dev/null
for _ in $(seq 1 "$runs"); do
    echo "zelk $(measure "$shipped/zelk.exe" "$catalogue")"
    echo "floor $(measure "$shipped/floor.exe" "$catalogue")"
done >"$times"
zelk_ms=$(awk '$1 == "zelk" {print $2}' "$times" | median)
floor_ms=$(awk '$1 == "floor" {print $2}' "$times" | median)
[ "$(grep -c -E '^(zelk|floor) [0-9]+$' "$times")" -eq $((2 * runs)) ] ||
    { echo "win32-startup: runs without a first paint" >&2; exit 1; }
printf 'zelk.exe start-up to first paint under Wine: median %s ms of %s runs\n' "$zelk_ms" "$runs"
printf 'floor (bare Win32 window, same controls, same catalogue): median %s ms\n' "$floor_ms"
awk -v a="$zelk_ms" -v b="$floor_ms" \
    'BEGIN {r = a / (b > 0 ? b : 1); printf "ratio zelk.exe / floor: %.2f (goal <= 1.5): %s\n", r, r <= 1.5 ? "met" : "NOT met"}'
