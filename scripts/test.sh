#!/usr/bin/env bash
# Installs what is missing, builds, runs every test with CTest, then fuzzes each fuzz target for
# a fixed time with a fixed seed (FUZZ_SECONDS, default 20; 0 skips). With SANITIZE=1 (as CI
# runs it) the whole suite runs once more under the sanitizers (scripts/sanitize.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
build_dir=${BUILD_DIR:-build}
(cd "$build_dir" && ctest --output-on-failure -j "${JOBS:-$(nproc)}")
if [ "${SANITIZE:-0}" = "1" ]; then
    bash scripts/sanitize.sh
fi
bash scripts/fuzz.sh "${FUZZ_SECONDS:-20}"
