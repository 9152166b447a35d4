# Shared by scripts/run, scripts/test and scripts/bench: install missing
# Debian packages, then configure and build with CMake + Ninja.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

ensure_packages() {
    local wanted missing=()
    wanted=$(grep -v '^\s*#' "$ROOT/scripts/deps.txt" | grep -v '^\s*$')
    for pkg in $wanted; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$pkg")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing missing packages: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get update -qq
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# configure_and_build BUILD_DIR BUILD_TYPE SANITIZE [TARGET...]
configure_and_build() {
    local dir="$1" type="$2" sanitize="$3"
    shift 3
    local launcher=()
    command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
    if [ ! -f "$dir/build.ninja" ]; then
        cmake -S "$ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE="$type" \
            -DFILES_SANITIZE="$sanitize" "${launcher[@]}" >/dev/null
    fi
    cmake --build "$dir" -- "$@"
}
