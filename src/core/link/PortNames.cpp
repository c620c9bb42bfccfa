// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/link/PortNames.h"

#include <QtGlobal>

namespace km905 {

QString deviceDirectory() {
    const QByteArray dir = qgetenv("KM905_DEV_DIR");
    return dir.isEmpty() ? QStringLiteral("/dev") : QString::fromLocal8Bit(dir);
}

QString portDeviceName(int port) {
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(port);
#else
    return deviceDirectory() + QStringLiteral("/ttyUSB%1").arg(port - 1);
#endif
}

}  // namespace km905
