// SPDX-License-Identifier: GPL-3.0-or-later
#include <unistd.h>

#include <QFileInfo>
#include <QTemporaryDir>

#include "RuntimeFolder.h"

namespace km905::cli {

namespace {
// As Qt wants it: a folder of this user that nobody else may enter.
bool isOwnPrivateFolder(const QString& path) {
    if (path.isEmpty()) return false;
    const QFileInfo folder(path);
    constexpr QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                          QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
    return folder.isDir() && folder.ownerId() == getuid() && !(folder.permissions() & others);
}
}  // namespace

void ensureRuntimeFolder() {
    if (isOwnPrivateFolder(qEnvironmentVariable("XDG_RUNTIME_DIR"))) return;
    // Removed at exit, after the application that used it; made with mode 0700.
    static QTemporaryDir own(QDir::tempPath() + QStringLiteral("/km905-runtime-XXXXXX"));
    if (own.isValid()) qputenv("XDG_RUNTIME_DIR", QFile::encodeName(own.path()));
}

}  // namespace km905::cli
