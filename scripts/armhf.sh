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

# Installs those of the given packages that are missing.
install_missing() {
    local missing=() p
    for p in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$p")
        fi
    done
    [ ${#missing[@]} -gt 0 ] || return 0
    if [ "$(id -u)" -ne 0 ] && [ -z "$sudo" ]; then
        echo "armhf: missing packages: ${missing[*]}" >&2
        echo "armhf: not root and no sudo; as root, run:" >&2
        echo "    apt-get update && apt-get install -y --no-install-recommends ${missing[*]}" >&2
        exit 1
    fi
    echo "armhf: installing ${missing[*]}"
    if [ "$updated" = 0 ]; then
        $sudo apt-get update -qq
        updated=1
    fi
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
        "${missing[@]}"
}
install_missing crossbuild-essential-armhf qemu-user

# Some programs start ARM programs in turn: the tests start programs of the build (stav-migrate,
# the gallery...), and the armhf packages' setup runs helpers of their own. The kernel starts an
# ARM program only through a binfmt_misc handler: when there is none (a chroot, a container,
# qemu-user-binfmt not installed), one is registered for this run and removed afterwards.
mkdir -p "$build_dir"
probe="$build_dir/armhf-probe" # static: the armhf loader comes only with the armhf packages
printf 'int main(void) { return 0; }\n' | arm-linux-gnueabihf-gcc -static -x c - -o "$probe"
binfmt=/proc/sys/fs/binfmt_misc
handler=""
mounted=""
cleanup() {
    if [ -n "$handler" ]; then echo -1 | $sudo tee "$binfmt/$handler" >/dev/null || true; fi
    if [ -n "$mounted" ]; then $sudo umount "$binfmt" || true; fi
}
trap cleanup EXIT
if ! "$probe" 2>/dev/null; then
    if ! mountpoint -q "$binfmt" && $sudo mount -t binfmt_misc binfmt_misc "$binfmt"; then
        mounted=1
    fi
    # 32-bit little-endian ELF executables and shared objects for ARM. F: the kernel opens
    # qemu-arm now, so that it serves in any root.
    magic='\x7f\x45\x4c\x46\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x28\x00'
    mask='\xff\xff\xff\xff\xff\xff\xff\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
    name="common-armhf-$$"
    if echo ":$name:M::$magic:$mask:$(command -v qemu-arm):F" |
        $sudo tee "$binfmt/register" >/dev/null; then
        handler=$name
    fi
    if ! "$probe"; then
        echo "armhf: this machine cannot start ARM programs directly; tests that start" \
            "programs of the build will fail" >&2
    fi
fi

# "Multi-Arch: same" packages install for several architectures side by side; the others are
# tools (served by the host's build) or architecture-independent.
mapfile -t host < <(bash scripts/install-deps.sh --list)
mapfile -t target < <(apt-cache show --no-all-versions "${host[@]}" |
    awk '/^Package:/ { p = $2 } /^Multi-Arch: same/ { print p ":armhf" }')
install_missing "${target[@]}"

# Programs run under qemu-arm, with pidfd waiting hidden (see scripts/without-pidfd.c).
cc -O2 -Wall -Wextra -o "$build_dir/without-pidfd" scripts/without-pidfd.c
emulator="$PWD/$build_dir/without-pidfd;$(command -v qemu-arm)"
cmake -S . -B "$build_dir" -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/toolchain-armhf.cmake" \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$emulator" -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}"
cmake --build "$build_dir" -j "$jobs"
cd "$build_dir"
ctest --output-on-failure -j "$jobs" "$@"
