#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the tests and the gallery need; only what is
# missing, so a prepared machine is left alone. Extra groups for the commands that need them:
#   bash scripts/install-deps.sh [fuzz] [valgrind]
# With --list it only prints the package names, one a line (scripts/armhf.sh reads them).
set -euo pipefail

packages=(
    cmake make g++ pkg-config
    qtbase5-dev qtbase5-private-dev qtbase5-dev-tools
    qtdeclarative5-dev qtdeclarative5-dev-tools qttools5-dev-tools
    qml-module-qtquick2 qml-module-qtquick-window2 qml-module-qttest qml
    qml-module-qtquick-controls2 qml-module-qtqml-models2
    fonts-dejavu-core
)
list=0
for group in "$@"; do
    case "$group" in
    --list) list=1 ;;
    fuzz) packages+=(clang libclang-rt-14-dev) ;;
    valgrind) packages+=(valgrind) ;;
    *)
        echo "install-deps: unknown group '$group' (known: fuzz, valgrind)" >&2
        exit 2
        ;;
    esac
done
if [ "$list" = 1 ]; then
    printf '%s\n' "${packages[@]}"
    exit 0
fi

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    echo "install-deps: all packages present"
    exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    if ! command -v sudo >/dev/null; then
        echo "install-deps: missing packages: ${missing[*]}" >&2
        echo "install-deps: not root and no sudo; as root, run:" >&2
        echo "    apt-get update && apt-get install -y --no-install-recommends ${missing[*]}" >&2
        exit 1
    fi
    sudo="sudo"
fi
echo "install-deps: installing ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
