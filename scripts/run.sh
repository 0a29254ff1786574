#!/usr/bin/env bash
# The main job: installs what is missing, builds, and runs the gallery. Without a display the
# gallery renders its page to a PNG and prints the file's path.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
exec "${BUILD_DIR:-build}/examples/gallery/gallery" "$@"
