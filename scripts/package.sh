#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is needed, builds the Debian package (build-deb/km905_*.deb) and installs it:
# the program in the desktop's menu, its manual pages, and the udev rule for the meter's port.
set -euo pipefail
cd "$(dirname "$0")/.."
[ "${KM905_SKIP_SETUP:-0}" = 1 ] || scripts/setup-debian.sh
# A build of its own, without the tests and benchmarks the package does not hold, with the
# distribution's hardening flags (fortify, stack protector, RELRO and BIND_NOW).
# CMake takes CXXFLAGS and LDFLAGS from the environment only at the first configure, and never
# CPPFLAGS, which holds -D_FORTIFY_SOURCE: all are given on every configure.
eval "$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --export=sh)"
cmake -S . -B build-deb -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DKM905_BUILD_TESTS=OFF -DKM905_BUILD_BENCH=OFF \
  "-DCMAKE_CXX_FLAGS=$CPPFLAGS $CXXFLAGS" "-DCMAKE_C_FLAGS=$CPPFLAGS $CFLAGS" \
  "-DCMAKE_EXE_LINKER_FLAGS=$LDFLAGS" "-DCMAKE_SHARED_LINKER_FLAGS=$LDFLAGS"
cmake --build build-deb -j "$(nproc)"
rm -f build-deb/km905_*.deb
(cd build-deb && cpack -G DEB)
deb=$(ls build-deb/km905_*.deb)
# Debian's own checker, where it is installed: no error and no warning. The tags overridden are
# in res/linux/debian/lintian-overrides, each with its reason.
if command -v lintian >/dev/null 2>&1; then
  lintian --fail-on error,warning "$deb"
fi
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get install -y --reinstall "./$deb"
echo "Installed $deb: start KM905 from the menu or run km905; plug the meter in again for its port."
