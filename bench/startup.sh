#!/usr/bin/env bash
# Time from starting parlino to its window being shown and first painted, against a bare Qt
# Widgets program that shows an empty window of the same size, in the same
# run. Usage: bench/startup.sh [build dir]   (default build/release)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
runs=${RUNS:-30}
parlino=$build/bin/parlino
minimal=$build/bench/minimal_window
[ -x "$parlino" ] && [ -x "$minimal" ] || { echo "startup.sh: build $build first" >&2; exit 1; }

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -m 700 "$scratch/run"
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
export XDG_RUNTIME_DIR=$scratch/run XDG_CONFIG_HOME=$scratch/config HOME=$scratch

# Median wall time of $runs starts, in milliseconds.
median_ms() {
  local times=()
  for _ in $(seq "$runs"); do
    local t0 t1
    t0=$(date +%s%N)
    "$@" >/dev/null 2>&1
    t1=$(date +%s%N)
    times+=($(( (t1 - t0) / 1000 )))
  done
  printf '%s\n' "${times[@]}" | sort -n | awk '{a[NR]=$1} END {m=(NR%2)?a[(NR+1)/2]:(a[NR/2]+a[NR/2+1])/2; printf "%.1f", m/1000}'
}

# Warm the file cache once for both.
"$minimal" >/dev/null 2>&1 || true
PARLINO_TEST_HOOKS=quit-on-show "$parlino" >/dev/null 2>&1 || true

base=$(median_ms "$minimal")
ours=$(PARLINO_TEST_HOOKS=quit-on-show median_ms "$parlino")
awk -v b="$base" -v o="$ours" 'BEGIN {
  printf "%-40s %10.1f ms  (baseline)\n", "StartupEmptyWindowBaseline", b
  printf "%-40s %10.1f ms  %6.2fx baseline\n", "StartupParlinoWindowShown", o, o / b
}'
