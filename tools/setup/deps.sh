#!/usr/bin/env bash
# Installs the Debian packages Quornet needs to build, test and run, when any is missing.
# Sourced by ./run and ./test; safe to run again (it installs nothing when all are there).
set -euo pipefail

QUORNET_PACKAGES=(
    build-essential cmake ninja-build ccache pkg-config
    qt6-base-dev qt6-multimedia-dev qt6-svg-dev libqt6svg6 qt6-qpa-plugins libgl-dev
    kdegames-card-data-kf5
    libgtest-dev libbenchmark-dev
    libminiupnpc-dev
    clang libclang-rt-14-dev
    xvfb xauth imagemagick fonts-dejavu-core
    # the Debian package (CPack: dpkg-shlibdeps, file) and the checkers of what it installs
    dpkg-dev file desktop-file-utils appstream systemd groff-base
)

quornet_missing_packages() {
    local missing=()
    for p in "${QUORNET_PACKAGES[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$p")
        fi
    done
    echo "${missing[@]:-}"
}

quornet_install_deps() {
    local missing
    missing=$(quornet_missing_packages)
    [ -z "$missing" ] && return 0
    local sudo=""
    if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
    echo "Installing missing packages: $missing" >&2
    $sudo apt-get update -qq
    # shellcheck disable=SC2086
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing >&2
}

quornet_configure() {
    # quornet_configure BUILD_DIR [extra cmake args...]
    local dir=$1; shift
    local gen=()
    command -v ninja >/dev/null && gen=(-G Ninja)
    local launcher=()
    command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    if [ ! -f "$dir/CMakeCache.txt" ]; then
        cmake -S . -B "$dir" "${gen[@]}" "${launcher[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >&2
    fi
}
