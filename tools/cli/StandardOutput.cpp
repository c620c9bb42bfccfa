// SPDX-License-Identifier: GPL-3.0-or-later
#include "StandardOutput.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace km905::cli {

QString writeStandardOutput(const QByteArray& bytes) {
#ifdef Q_OS_WIN
    setBinaryStandardOutput();
#endif
    errno = 0;
    const size_t written = std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    if (std::fflush(stdout) != 0 || written != size_t(bytes.size()) || std::ferror(stdout))
        return errno != 0 ? QString::fromLocal8Bit(std::strerror(errno))
                          : QStringLiteral("it could not be written");
    return {};
}

}  // namespace km905::cli
