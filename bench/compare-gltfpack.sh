#!/usr/bin/env bash
# Times korvo-export against gltfpack on the same 100,000-triangle .glb.
#
#   bash bench/compare-gltfpack.sh [BUILD_DIR] [RUNS]
#
# BUILD_DIR is a release build with benchmarks (default build/release, made
# by `cmake --preset release && cmake --build --preset release`); RUNS is
# the number of timed runs of each program (default 10). The grid file is
# the one the benchmark ExportGltfGrid writes; the benchmark's own figures
# (loading alone, the whole export in-process) are printed first. gltfpack
# is only needed for this measurement: the script installs the Debian
# package when it is missing.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/release}
runs=${2:-10}
bench=$build/bench/korvo_bench
exporter=$build/korvo-export

for program in "$bench" "$exporter"; do
    if [[ ! -x $program ]]; then
        echo "compare-gltfpack.sh: $program is missing; build it first:" >&2
        echo "  cmake --preset release && cmake --build --preset release" >&2
        exit 1
    fi
done

if ! command -v gltfpack >/dev/null; then
    echo "compare-gltfpack.sh: gltfpack is not installed; installing the Debian package \"gltfpack\" for this comparison"
    sudo=""
    [[ $(id -u) -eq 0 ]] || sudo=sudo
    $sudo apt-get install -y gltfpack >/dev/null
fi

echo "== korvo-export benchmarks (in-process)"
"$bench" --benchmark_filter='GltfGrid'
grid=${TMPDIR:-/tmp}/korvo-bench/grid-100k.glb
[[ -f $grid ]] || { echo "compare-gltfpack.sh: the benchmark wrote no $grid" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export KORVO_EXPORT_CONFIG_DIR=$work/config

run_korvo() { "$exporter" export "$grid" -o "$work/out/grid.imd" --yes --quiet >/dev/null; }
run_gltfpack() { gltfpack -i "$grid" -o "$work/packed.glb" >/dev/null; }

# Microseconds for one run of a function.
time_once() {
    local start end
    start=$(date +%s%N)
    "$1"
    end=$(date +%s%N)
    echo $(((end - start) / 1000))
}

# Runs both alternately (after one warm-up each), so both see the same
# machine load; prints mean and fastest of each and their ratio.
run_korvo && run_gltfpack
korvo_total=0 gltfpack_total=0 korvo_best=0 gltfpack_best=0
for ((i = 0; i < runs; ++i)); do
    k=$(time_once run_korvo)
    g=$(time_once run_gltfpack)
    korvo_total=$((korvo_total + k)) gltfpack_total=$((gltfpack_total + g))
    ((korvo_best == 0 || k < korvo_best)) && korvo_best=$k
    ((gltfpack_best == 0 || g < gltfpack_best)) && gltfpack_best=$g
done

echo
echo "== $(basename "$grid") ($(stat -c %s "$grid") bytes), $runs runs each"
awk -v kt="$korvo_total" -v gt="$gltfpack_total" -v kb="$korvo_best" -v gb="$gltfpack_best" -v n="$runs" 'BEGIN {
    printf "korvo-export export  mean %8.1f ms  fastest %8.1f ms\n", kt / n / 1000, kb / 1000
    printf "gltfpack -i -o       mean %8.1f ms  fastest %8.1f ms\n", gt / n / 1000, gb / 1000
    printf "ratio korvo-export / gltfpack: %.2f (mean), %.2f (fastest)\n", kt / gt, kb / gb
}'
echo "($(gltfpack -h 2>&1 | head -n 1 || true))"
