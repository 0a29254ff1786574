#!/usr/bin/env bash
# Builds the project with AddressSanitizer and UndefinedBehaviorSanitizer in its own tree
# (SANITIZE_BUILD_DIR, default build-sanitize) and runs every CTest test there, with
# LeakSanitizer on. Qt's uninstrumented tools (qmltestrunner, qmlplugindump) load the module with
# the sanitizer runtime preloaded. Leaks inside Qt and the platform libraries are suppressed by
# scripts/lsan.supp, one reason per entry. Every process writes its reports to a log folder; any
# report, from a test or from a program a test starts, fails the run.
#   bash scripts/sanitize.sh [ctest arguments...]     e.g. -R tst_plugin
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build_dir=${SANITIZE_BUILD_DIR:-build-sanitize}
jobs=${JOBS:-$(nproc)}

cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCOMMON_SANITIZE=ON >/dev/null
cmake --build "$build_dir" -j "$jobs"

reports=$(mktemp -d)
trap 'rm -rf "$reports"' EXIT
# Qt is built without frame pointers: the slow unwinder gives whole stacks through Qt's frames,
# which the suppressions need.
export ASAN_OPTIONS="verify_asan_link_order=0:detect_leaks=1:fast_unwind_on_malloc=0:log_path=$reports/asan"
export LSAN_OPTIONS="suppressions=$root/scripts/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:log_path=$reports/ubsan"

status=0
(cd "$build_dir" && ctest --output-on-failure -j "$jobs" "$@") || status=$?

shopt -s nullglob
logs=("$reports"/*)
if [ ${#logs[@]} -gt 0 ]; then
    for log in "${logs[@]}"; do
        echo "==== sanitizer report: $(basename "$log")"
        cat "$log"
    done
    echo "sanitize: ${#logs[@]} sanitizer report(s)"
    exit 1
fi
if [ "$status" -ne 0 ]; then
    echo "sanitize: tests failed"
    exit "$status"
fi
echo "sanitize: clean"
