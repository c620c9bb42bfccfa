// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

namespace km905::test {

// What km905-cli printed (UTF-8 on every platform), its lines ended as on Linux: Windows'
// console streams end them CRLF.
inline QString consoleText(const QByteArray& printed) {
    QString text = QString::fromUtf8(printed);
#ifdef _WIN32
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
#endif
    return text;
}

}  // namespace km905::test
