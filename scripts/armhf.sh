#!/usr/bin/env bash
# Cross-builds the whole project for the instrument's 32-bit ARM Linux (Debian armhf) and runs
# every CTest test under qemu-arm. On Debian 12, as root or with sudo, it first adds the armhf
# architecture and installs, beside the host's packages (scripts/install-deps.sh), the cross
# compiler, qemu-user and the armhf build of every host package that multiarch lets sit beside
# it (Qt's development and QML module packages), so a new Qt package in install-deps.sh needs no
# edit here. Builds in build-armhf (ARMHF_BUILD_DIR) with cmake/toolchain-armhf.cmake.
#   bash scripts/armhf.sh [ctest arguments...]     e.g. -R tst_plugin
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${ARMHF_BUILD_DIR:-build-armhf}
jobs=${JOBS:-$(nproc)}

sudo=""
if [ "$(id -u)" -ne 0 ] && command -v sudo >/dev/null; then
    sudo="sudo"
fi

updated=0
if ! dpkg --print-foreign-architectures | grep -qx armhf; then
    echo "armhf: adding the armhf architecture"
    $sudo dpkg --add-architecture armhf
    $sudo apt-get update -qq
    updated=1
fi
bash scripts/install-deps.sh

mapfile -t host < <(bash scripts/install-deps.sh --list)
packages=(crossbuild-essential-armhf qemu-user)
# "Multi-Arch: same" packages install for several architectures side by side; the others are
# tools (served by the host's build) or architecture-independent.
while read -r p; do
    packages+=("$p:armhf")
done < <(apt-cache show --no-all-versions "${host[@]}" |
    awk '/^Package:/ { p = $2 } /^Multi-Arch: same/ { print p }')

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done
if [ ${#missing[@]} -gt 0 ]; then
    if [ "$(id -u)" -ne 0 ] && [ -z "$sudo" ]; then
        echo "armhf: missing packages: ${missing[*]}" >&2
        echo "armhf: not root and no sudo; as root, run:" >&2
        echo "    apt-get update && apt-get install -y --no-install-recommends ${missing[*]}" >&2
        exit 1
    fi
    echo "armhf: installing ${missing[*]}"
    if [ "$updated" = 0 ]; then
        $sudo apt-get update -qq
    fi
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
        "${missing[@]}"
fi

cmake -S . -B "$build_dir" -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/toolchain-armhf.cmake" \
    -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-RelWithDebInfo}
cmake --build "$build_dir" -j "$jobs"
cd "$build_dir"
ctest --output-on-failure -j "$jobs" "$@"
