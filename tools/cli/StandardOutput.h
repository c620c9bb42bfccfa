// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

namespace km905::cli {

// Writes the bytes as they are to standard output and flushes it; an empty text when they
// all went out, otherwise why not (a closed pipe, a full disk).
QString writeStandardOutput(const QByteArray& bytes);

#ifdef Q_OS_WIN
// Standard output without the C library's LF to CRLF translation, which would break a
// UTF-16 export.
void setBinaryStandardOutput();

// Texts go out as UTF-8 (Ēm, °); a console shows them as such instead of in its ANSI page.
void useUtf8Console();
#endif

}  // namespace km905::cli
