// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/files/DiskSync.h"

#include <unistd.h>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace km905 {

namespace {
QString systemReason(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}
}  // namespace

QString syncToDisk(QFile& file) {
    errno = 0;
    if (!file.flush()) return errno != 0 ? systemReason(errno) : file.errorString();
#ifdef __linux__
    // The data and the size; the rest of the metadata need not wait.
    return ::fdatasync(file.handle()) == 0 ? QString() : systemReason(errno);
#else
    return ::fsync(file.handle()) == 0 ? QString() : systemReason(errno);
#endif
}

QString replaceFile(const QString& from, const QString& to) {
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0
               ? QString()
               : systemReason(errno);
}

}  // namespace km905
