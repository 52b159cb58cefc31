# Sourced by scripts/run, scripts/test and scripts/package: installs the
# Debian packages the project needs, and only those that are missing.

QUILLMARK_BUILD_PACKAGES=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools libgl-dev libxkbcommon-dev
    libical-dev
    # The sync's password goes to the desktop's keyring.
    qtkeychain-qt6-dev
    fonts-dejavu-core
    # Qt Linguist's tools compile the translations; Qt's own translations
    # put its dialog buttons in the user's language.
    qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
)
QUILLMARK_TEST_PACKAGES=(
    libbenchmark-dev
    todoman khal
    desktop-file-utils appstream
    # pdftotext reads back what the printout wrote.
    poppler-utils
    # The German locale (quillmark_generate_locale below).
    locales
    # An X server with a window manager and a hand on its mouse and keys, for
    # the test in a real window.
    xvfb openbox xdotool x11-utils
    # Puts a checklist on its clipboard to paste.
    xclip
    # A session bus with at-spi2-core's accessibility bus, and pyatspi to
    # read what a screen reader gets.
    dbus at-spi2-core python3-pyatspi
    # The CalDAV servers the sync is tested against, on 127.0.0.1, and a
    # third-party client that stands in for a phone's task app.
    radicale xandikos python3-caldav
    # A keyring of the test's own on a D-Bus session of its own, and the
    # self-signed certificate of a test server.
    gnome-keyring dbus-daemon openssl
)
# scripts/package: CPack's Debian generator finds library dependencies with
# dpkg-shlibdeps and file.
QUILLMARK_PACKAGE_PACKAGES=(
    dpkg-dev file
)

quillmark_as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    else
        sudo "$@"
    fi
}

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
    quillmark_as_root apt-get update -qq
    DEBIAN_FRONTEND=noninteractive quillmark_as_root apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# Whether the C library has the locale, as in quillmark_has_locale de_DE.UTF-8
# (`locale -a` writes it as de_DE.utf8).
quillmark_has_locale() {
    local want
    want=$(echo "$1" | tr '[:upper:]' '[:lower:]' | sed 's/utf-8$/utf8/')
    locale -a 2>/dev/null | tr '[:upper:]' '[:lower:]' | grep -qx "$want"
}

# Generates a locale of the locales package, such as de_DE.UTF-8, the way the
# system keeps it: listed in /etc/locale.gen and built by locale-gen.
quillmark_generate_locale() {
    local name=$1
    quillmark_has_locale "$name" && return 0
    echo "Generating the $name locale"
    if [ -f /etc/locale.gen ]; then
        if grep -q "^# *$name " /etc/locale.gen; then
            quillmark_as_root sed -i "s/^# *\($name .*\)/\1/" /etc/locale.gen
        elif ! grep -q "^$name " /etc/locale.gen; then
            echo "$name ${name#*.}" | quillmark_as_root tee -a /etc/locale.gen >/dev/null
        fi
        quillmark_as_root locale-gen >/dev/null
    fi
    quillmark_has_locale "$name" && return 0
    # Where locale-gen keeps its own list (Ubuntu), it takes the name.
    quillmark_as_root locale-gen "$name" >/dev/null 2>&1 || true
    quillmark_has_locale "$name" && return 0
    echo "The $name locale could not be generated; the tests that need it fail"
}

# Installs the distribution's clang and the compiler runtime with libFuzzer
# that belongs to it, and prints the clang++ to build the fuzz targets with.
# Prints nothing (and returns non-zero) when none can be had. The runtime is
# libclang-rt-N-dev for clang N; some releases also have it under the name
# libclang-rt-dev.
quillmark_fuzz_compiler() {
    quillmark_install_packages clang >&2 || true
    command -v clang++ >/dev/null || return 1
    if ! quillmark_links_libfuzzer; then
        local major runtime
        major=$(clang++ -dumpversion)
        major=${major%%.*}
        for runtime in "libclang-rt-$major-dev" libclang-rt-dev; do
            quillmark_install_packages "$runtime" >&2 || continue
            quillmark_links_libfuzzer && break
        done
        quillmark_links_libfuzzer || return 1
    fi
    command -v clang++
}

quillmark_links_libfuzzer() {
    local probe
    probe=$(mktemp -d)
    echo 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char *, unsigned long) { return 0; }' \
        > "$probe/probe.cpp"
    clang++ -fsanitize=fuzzer "$probe/probe.cpp" -o "$probe/probe" >/dev/null 2>&1
    local result=$?
    rm -rf "$probe"
    return $result
}
