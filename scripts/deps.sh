#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing KELMO need, and only those
# that are missing. Sourced by start.sh and test.sh; run as root on Debian 12.
set -euo pipefail

kelmo_packages_build=(
    g++ cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools libgl-dev
    fonts-liberation2
    fp-utils libmspack-dev
)
# Building the Debian package: dpkg-shlibdeps finds its dependencies, file tells it the binaries.
kelmo_packages_package=(
    dpkg-dev file
)
# desktop-file-utils and appstream validate the menu entry and the metainfo; qt6ct gives the
# screenshots a dark desktop palette.
kelmo_packages_test=(
    xvfb xauth xdotool openbox imagemagick x11-utils xclip locales
    clang libclang-rt-14-dev clang-tidy clazy cppcheck
    desktop-file-utils appstream qt6ct
    "${kelmo_packages_package[@]}"
)

kelmo_install() {
    local missing=()
    local pkg
    for pkg in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$pkg")
        fi
    done
    if [ ${#missing[@]} -eq 0 ]; then
        return 0
    fi
    echo "Installing: ${missing[*]}"
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        sudo=(sudo)
    fi
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
        "${missing[@]}"
}

# kelmo_generate_locale <name, e.g. fr_FR.UTF-8>: makes a locale available, as the
# end-to-end checks start the program under one.
kelmo_generate_locale() {
    local name="$1"
    if locale -a 2>/dev/null | grep -qix "${name/UTF-8/utf8}"; then
        return 0
    fi
    kelmo_install locales
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        sudo=(sudo)
    fi
    if grep -q "^# *$name UTF-8" /etc/locale.gen; then
        "${sudo[@]}" sed -i "s/^# *\($name UTF-8\)/\1/" /etc/locale.gen
    elif ! grep -q "^$name UTF-8" /etc/locale.gen; then
        echo "$name UTF-8" | "${sudo[@]}" tee -a /etc/locale.gen >/dev/null
    fi
    "${sudo[@]}" locale-gen >/dev/null
}
