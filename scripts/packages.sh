# Sourced by scripts/run and scripts/test: installs the Debian packages the
# project needs, and only those that are missing.

QUILLMARK_BUILD_PACKAGES=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools libgl-dev libxkbcommon-dev
    libical-dev
    fonts-dejavu-core
)
QUILLMARK_TEST_PACKAGES=(
    libbenchmark-dev
    todoman khal
    desktop-file-utils appstream
)
# scripts/package: CPack's Debian generator finds library dependencies with
# dpkg-shlibdeps and file.
QUILLMARK_PACKAGE_PACKAGES=(
    dpkg-dev file
)
# The fuzz targets (fuzz/) need clang with libFuzzer.
QUILLMARK_FUZZ_PACKAGES=(
    clang-14 libclang-rt-14-dev
)

quillmark_install_packages() {
    local missing=()
    local p
    for p in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$p")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}
