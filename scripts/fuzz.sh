#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build-fuzz/ and runs each for the given number of
# seconds, starting from its seed corpus. A crash, leak or sanitizer report fails the run.
#   bash scripts/fuzz.sh [seconds] [seed]
# The seed is fixed (1) by default, so that a run can be repeated exactly as CI ran it; "random"
# lets libFuzzer pick a new one each time, for longer runs that explore further:
#   bash scripts/fuzz.sh 600 random
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}
seed=${2:-1}
[ "$seed" = "random" ] && seed=0
if [ "$seconds" = "0" ]; then
    echo "fuzz: skipped"
    exit 0
fi
bash scripts/install-deps.sh fuzz
if ! command -v clang++ >/dev/null || ! ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-*.a >/dev/null 2>&1; then
    echo "fuzz: clang with libFuzzer not available, skipped"
    exit 0
fi
build_dir=${FUZZ_BUILD_DIR:-build-fuzz}
cmake -S . -B "$build_dir" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCOMMON_FUZZ=ON >/dev/null
cmake --build "$build_dir" -j "${JOBS:-$(nproc)}"
shopt -s nullglob
targets=("$build_dir"/fuzzers/*)
runs=0
for target in "${targets[@]}"; do
    [ -f "$target" ] && [ -x "$target" ] || continue
    name=$(basename "$target")
    work=$(mktemp -d)
    corpus=()
    if [ -f "$target.corpus" ]; then
        # Seeds are copied: the run adds to its own working corpus, never to the repository.
        cp -r "$(cat "$target.corpus")"/. "$work/" 2>/dev/null || true
    fi
    echo "fuzz: $name for ${seconds}s"
    (cd "$work" && "$OLDPWD/$target" -seed="$seed" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 "$work" 2>"$work.log") || {
        tail -n 60 "$work.log"
        echo "fuzz: $name FAILED"
        exit 1
    }
    grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb)' "$work.log" | sed "s/^/fuzz: $name /"
    rm -rf "$work" "$work.log"
    runs=$((runs + 1))
done
echo "fuzz: $runs targets passed"
