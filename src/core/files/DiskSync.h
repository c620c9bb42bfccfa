// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Putting a file's bytes on the disk and moving a finished file into place, the system's way
// on each platform. Each returns an empty text on success, else the system's reason.
#include <QFile>
#include <QString>

namespace km905 {

// Qt's buffer written out, then the file's data on the disk.
QString syncToDisk(QFile& file);

// `from` renamed to `to`, replacing a file there, the move itself on the disk.
QString replaceFile(const QString& from, const QString& to);

}  // namespace km905
