# Sourced by the scripts: installs the Debian packages the build needs that
# this machine lacks, as root or through sudo, saying what it installs.
set -euo pipefail

PLOTWISE_PACKAGES=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-base-private-dev libgl-dev libjpeg62-turbo-dev libpng-dev libtiff-dev
    qt6-svg-dev libpoppler-qt6-dev qt6-image-formats-plugins
    libgtest-dev libbenchmark-dev
    fonts-liberation2
    python3
    # The desktop sessions: a private X display, a window manager, keys sent
    # to the windows, and the tools that measure them.
    xvfb openbox xdotool x11-utils xclip
    ${PLOTWISE_EXTRA_PACKAGES:-}
)

plotwise_install_missing() {
    local missing=() p
    for p in "${PLOTWISE_PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        command -v sudo >/dev/null || { echo "Run as root or install sudo: missing ${missing[*]}" >&2; exit 1; }
        sudo=(sudo)
    fi
    echo "Installing Debian packages: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    if ! "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}" </dev/null; then
        "${sudo[@]}" apt-get update </dev/null
        "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}" </dev/null
    fi
}

plotwise_build() {
    local preset=$1
    cmake --preset "$preset"
    cmake --build --preset "$preset"
}
