// SPDX-License-Identifier: GPL-3.0-or-later
#include "serial/SerialSettings.h"

#include <QStringList>

#include "core/link/SerialControl.h"

namespace km905 {

SerialSettings parseSerialSettings(const QString& settings) {
    const QStringList p = settings.split(',');
    bool ok = p.size() == 4;
    const int baud = ok ? p[0].toInt(&ok) : 0;
    const QString parity = ok ? p[1].trimmed().toLower() : QString();
    const int bits = ok ? p[2].toInt(&ok) : 0;
    const QString stop = ok ? p[3].trimmed() : QString();
    if (!ok || baud <= 0 || bits < 5 || bits > 8 || (stop != "1" && stop != "2") ||
        parity.size() != 1 || !QStringLiteral("neo").contains(parity))
        throw SerialError(SerialErrorKind::Io, QStringLiteral("Invalid property value"));
    return {baud, parity[0].toLatin1(), bits, stop == "1" ? 1 : 2};
}

int checkedCommPort(int port, bool portOpen) {
    if (portOpen)
        throw SerialError(SerialErrorKind::Io,
                          QStringLiteral("Operation valid only when the port is closed"));
    if (port < 1 || port > 255)
        throw SerialError(SerialErrorKind::InvalidPort, QStringLiteral("Invalid port number"));
    return port;
}

}  // namespace km905
