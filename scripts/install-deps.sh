#!/usr/bin/env bash
# Installs the Debian 12 packages the program needs; with --package also those its Debian
# package's build needs, with --test those and what the tests need.
# Does nothing when everything is present, so it is cheap to call before every build.
set -euo pipefail

packages=(qt6-base-dev cmake ninja-build g++ pkg-config libxss-dev libx11-dev
          fonts-dejavu-core fonts-wine xvfb xauth x11-utils imagemagick dbus)
# The Debian package's build (scripts/package.sh): dpkg-buildflags, dpkg-shlibdeps.
if [[ "${1:-}" == "--package" || "${1:-}" == "--test" ]]; then
    packages+=(dpkg-dev file)
fi
if [[ "${1:-}" == "--test" ]]; then
    packages+=(lintian appstream)
    # The format check lists the sources through git, which a minimal system lacks.
    packages+=(git)
    packages+=(libgtest-dev libgmock-dev googletest xdotool python3-dbusmock libglib2.0-bin
               trayer clang-format g++-mingw-w64-x86-64-posix wine wine64 python3
               clang-14 libclang-rt-14-dev at-spi2-core python3-pyatspi nsis)
    # The real-system stage: a Debian root booted under systemd-nspawn.
    packages+=(debootstrap systemd-container)
fi

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
