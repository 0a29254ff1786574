#!/usr/bin/env bash
# Runs the C++ tests and the gallery (which loads every page of the module) under valgrind's
# memcheck, in their own build tree (VALGRIND_BUILD_DIR, default build-valgrind). Any invalid
# access, use of uninitialised memory or definite leak fails the run; leaks made inside Qt and the
# platform libraries are suppressed by scripts/valgrind.supp, one reason per entry.
#   bash scripts/valgrind.sh [ctest arguments...]     e.g. -R tst_plugin
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build_dir=${VALGRIND_BUILD_DIR:-build-valgrind}
jobs=${JOBS:-$(nproc)}
command -v valgrind >/dev/null || bash scripts/install-deps.sh valgrind

# Every test command built from a target of the project starts under valgrind; the QML files
# run by qmltestrunner, and the runs on Qt's VNC platform, are left to the sanitizer suite.
memcheck="valgrind;--tool=memcheck;--error-exitcode=99;--leak-check=full"
memcheck+=";--show-leak-kinds=definite;--errors-for-leak-kinds=definite"
memcheck+=";--suppressions=$root/scripts/valgrind.supp;--num-callers=40;--quiet"
cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCOMMON_BUILD_BENCH=OFF \
    "-DCMAKE_CROSSCOMPILING_EMULATOR=$memcheck" >/dev/null
cmake --build "$build_dir" -j "$jobs"
# The JITs of QML and of regular expressions write machine code that memcheck cannot follow;
# the interpreters run the same code paths.
export QV4_FORCE_INTERPRETER=1 QT_ENABLE_REGEXP_JIT=0
(cd "$build_dir" && ctest --output-on-failure -j "$jobs" -LE 'qml|vnc' --timeout 900 "$@")
echo "valgrind: clean"
