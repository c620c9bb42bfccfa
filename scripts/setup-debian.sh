#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what building, running and testing KM905 needs on Debian 12.
set -euo pipefail
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update
$SUDO apt-get install -y --no-install-recommends \
  cmake ninja-build g++ ccache clang libclang-rt-14-dev pkg-config \
  qt6-base-dev qt6-serialport-dev qt6-svg-dev libgl-dev \
  libgtest-dev libgmock-dev libbenchmark-dev \
  fonts-liberation xvfb xauth poppler-utils \
  help2man librsvg2-bin desktop-file-utils appstream dpkg-dev file \
  shared-mime-info xdg-utils libglib2.0-bin
