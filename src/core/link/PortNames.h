// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace km905 {

// The device behind port number n: COMn on Windows, /dev/ttyUSB(n-1) on Linux, where the
// environment variable KM905_DEV_DIR replaces /dev.
QString portDeviceName(int port);
QString deviceDirectory();

}  // namespace km905
