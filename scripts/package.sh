#!/usr/bin/env bash
# Builds the Debian package in build/package: a release build of the program for /usr with
# Debian's hardening flags, packed by CPack. Extra arguments go to cmake's configure step.
# Prints the package's path on its last line.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
build=build/package

scripts/install-deps.sh --package
# The flags Debian's own packages are built with (CMake reads no CPPFLAGS: they go with the
# compiler's).
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cxxflags="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
ldflags=$(dpkg-buildflags --get LDFLAGS)
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
    -DQZ_BUILD_TESTS=OFF -DCMAKE_UNITY_BUILD=ON -DCMAKE_CXX_FLAGS="$cxxflags" \
    -DCMAKE_EXE_LINKER_FLAGS="$ldflags" -DCMAKE_MODULE_LINKER_FLAGS="$ldflags" "$@" >/dev/null
cmake --build "$build" -j "$(nproc)"
rm -f "$build"/*.deb
(cd "$build" && cpack -G DEB >cpack.log 2>&1) || { cat "$build/cpack.log"; exit 1; }
ls "$root/$build"/qzscheduler_*.deb
