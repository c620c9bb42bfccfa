#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds Qt's base module for 64-bit Windows from Debian's own source package, once, into a
# cache outside the repository; prints the cache's folder. The cache is keyed by the Qt
# version, this configure line and the toolchain file (its licence line aside), so a changed
# line builds anew beside the old one.
# With --cached it only says where the cache is, and fails when there is none yet.
set -euo pipefail
cd "$(dirname "$0")/.."
root="${KM905_QT_CACHE:-/var/cache/km905}"
toolchain="$PWD/cmake/mingw-w64.cmake"
config=(-release -xplatform win32-g++ -qt-host-path /usr -nomake examples -nomake tests
  -no-opengl -no-dbus -no-feature-sql -no-feature-network -no-feature-testlib
  -no-feature-tabletevent)
version=$(dpkg-query -W -f='${Version}' qt6-base-dev 2>/dev/null | sed 's/[-+].*//')
[ -n "$version" ] || { echo "qt6-base-dev is not installed" >&2; exit 1; }
key=$(printf '%s\n' "${config[@]}" "$(grep -v SPDX-License-Identifier "$toolchain")" | sha1sum | cut -c1-10)
prefix="$root/qt-$version-mingw-$key"
if [ -f "$prefix/.complete" ]; then
  echo "$prefix"
  exit 0
fi
[ "${1:-}" != --cached ] || exit 1
export DEBIAN_FRONTEND=noninteractive
# Source packages come from the archive the machine already uses.
if ! grep -qs '^Types:.*deb-src' /etc/apt/sources.list.d/debian.sources; then
  sed -i 's/^Types: deb$/Types: deb deb-src/' /etc/apt/sources.list.d/debian.sources
fi
apt-get update >&2
apt-get install -y --no-install-recommends dpkg-dev g++-mingw-w64-x86-64-posix \
  mingw-w64-x86-64-dev cmake ninja-build qt6-base-dev qt6-base-dev-tools >&2
work="$root/src"
mkdir -p "$work"
# Debian unpacks the source as qt6-base-VERSION+dfsg.
find_src() { find "$work" -maxdepth 1 -type d -name "qt6-base-$version*" | head -n 1; }
src=$(find_src)
if [ -z "$src" ]; then
  (cd "$work" && apt-get source qt6-base >&2)
  src=$(find_src)
fi
# A build that was stopped goes on where it stopped.
build="$root/build-$key"
mkdir -p "$build"
if [ ! -f "$build/build.ninja" ]; then
  (cd "$build" && "$src/configure" -prefix "$prefix" "${config[@]}" -- \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake >&2)
fi
cmake --build "$build" --parallel "$(nproc)" >&2
cmake --install "$build" >&2
touch "$prefix/.complete"
rm -rf "$build"
echo "$prefix"
