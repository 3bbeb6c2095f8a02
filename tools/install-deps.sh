#!/bin/sh
# Installs, on Debian 12, what building, running and testing the game needs. Run as root.
set -eu
packages="cmake ninja-build g++ qt6-base-dev libgl-dev libxkbcommon-dev googletest libgtest-dev
    xvfb xauth xdotool x11-utils imagemagick fonts-dejavu-core python3
    dpkg-dev desktop-file-utils appstream lintian man-db clang libclang-rt-14-dev
    libbenchmark-dev libxdamage-dev valgrind weston qt6-wayland qt6ct
    dbus-daemon at-spi2-core python3-pyatspi fusefat dosfstools
    emscripten chromium chromium-driver python3-selenium"
missing=""
for package in $packages; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" ||
        missing="$missing $package"
done
if [ -n "$missing" ]; then
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    # shellcheck disable=SC2086
    apt-get install -y -qq --no-install-recommends $missing
fi
