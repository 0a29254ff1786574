#!/usr/bin/env bash
# Runs every benchmark of the project at its full size and prints one line per figure: the
# figure, its baseline and their ratio, each pair measured side by side in the same run, so the
# ratios hold on any machine. Builds first (BUILD_DIR, default build).
#   bash bench/run.sh
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${BUILD_DIR:-build}
cmake -S . -B "$build_dir" -DCOMMON_BUILD_BENCH=ON >/dev/null
cmake --build "$build_dir" -j "${JOBS:-$(nproc)}" >/dev/null

# name | binary | arguments (full size)
benchmarks=(
    "units|bench/units/units_bench|200000 9"
    "setup|bench/setup/bench_setup_migration|"
    "table|bench/models/models_bench|31"
    "lists|bench/models/listmodels_bench|"
    "tree|bench/tree/tree_bench|"
    "startup|bench/startup/startup_bench|31"
)

echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//'), load $(cut -d' ' -f1-3 /proc/loadavg)"
printf '%-8s %-46s %14s %24s %8s\n' bench figure value baseline ratio
status=0
for entry in "${benchmarks[@]}"; do
    IFS='|' read -r name binary arguments <<<"$entry"
    [ -x "$build_dir/$binary" ] || continue
    # shellcheck disable=SC2086
    if ! output=$(QT_QPA_PLATFORM=offscreen QT_QUICK_BACKEND=software "$build_dir/$binary" $arguments 2>&1); then
        echo "$output" | tail -n 5
        echo "bench: $name FAILED"
        status=1
        continue
    fi
    echo "$output" | grep -E ' baseline +[0-9.-]+ .* ratio +[0-9.]+$' |
        sed -E 's/^(.{46}) +([0-9.-]+) +([A-Za-z]+) +baseline +([0-9.-]+) +([A-Za-z]+) +ratio +([0-9.]+)$/\1|\2 \3|\4 \5|\6/' |
        while IFS='|' read -r figure value baseline ratio; do
            printf '%-8s %-46s %14s %24s %8s\n' "$name" "$figure" "$value" "baseline $baseline" "$ratio"
        done
done
exit $status
