# Shared by scripts/run and scripts/test: install what a fresh Debian 12 machine lacks
# and build in build/ (or the folder given in BUILD_DIR).

VELMORA_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

VELMORA_PACKAGES=(
    g++ cmake make pkg-config
    qt6-base-dev qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools libgl-dev
    libqt6sql6-sqlite libsqlite3-dev qt6-translations-l10n
    fonts-liberation2
)

velmora_install_deps() {
    local missing=()
    local pkg
    for pkg in "${VELMORA_PACKAGES[@]}" "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$pkg")
        fi
    done
    if [ ${#missing[@]} -eq 0 ]; then
        return 0
    fi
    echo "Installing missing packages: ${missing[*]}"
    local sudo=""
    if [ "$(id -u)" -ne 0 ]; then
        sudo="sudo"
    fi
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" </dev/null
}

velmora_build() {
    local build_dir="$1"
    shift
    cmake -S "$VELMORA_ROOT" -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
    cmake --build "$build_dir" -j"$(nproc)"
}
