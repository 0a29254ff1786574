#!/usr/bin/env bash
# Installs what is missing, builds, runs every test with CTest, then fuzzes each fuzz target for
# a fixed time (FUZZ_SECONDS, default 20; 0 skips) where clang's libFuzzer is available.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
build_dir=${BUILD_DIR:-build}
(cd "$build_dir" && ctest --output-on-failure -j "${JOBS:-$(nproc)}")
bash scripts/fuzz.sh "${FUZZ_SECONDS:-20}"
