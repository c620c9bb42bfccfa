// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/files/AppendedFile.h"

#include "core/files/DiskSync.h"

#include <QFileInfo>
#include <cerrno>
#include <cstring>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace km905 {

namespace {
constexpr qint64 kSyncEveryMs = 1000;
// A row is some 60 bytes: its line break lies within this much of the end.
constexpr qint64 kTailWindow = 65536;

QString systemReason(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

// Opened without following a link or blocking on a pipe, and checked on the open handle.
QString openRegular(const QString& path, QFile& file) {
#ifndef Q_OS_WIN
    const int fd = ::open(QFile::encodeName(path).constData(),
                          O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0) return systemReason(errno);
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) ||
        !file.open(fd, QIODevice::ReadWrite, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return QStringLiteral("is not a regular file");
    }
    return {};
#else
    const QFileInfo info(path);
    if (info.isSymLink() || (info.exists() && !info.isFile()))
        return QStringLiteral("is not a regular file");
    file.setFileName(path);
    return file.open(QIODevice::ReadWrite) ? QString() : file.errorString();
#endif
}

}  // namespace

QString freeSideName(const QString& path, const QString& suffix) {
    for (int n = 1;; ++n) {
        const QString name =
            path + QLatin1Char('.') + suffix + (n == 1 ? QString() : QStringLiteral(".%1").arg(n));
        const QFileInfo there(name);
        if (!there.exists() && !there.isSymLink()) return name;
    }
}

WriteResult AppendedFile::fail(const QString& reason) {
    m_file.close();
    return {false, reason};
}

WriteResult AppendedFile::open(const QString& path, const QByteArray& header, qint64 nowMs) {
    close(nowMs);
    m_path = path;
    m_setAside.clear();
    if (const QString why = openRegular(path, m_file); !why.isEmpty()) return {false, why};
    if (const WriteResult r = resume(header); !r) return fail(r.reason);
    m_lastSyncMs = nowMs;
    return {true, {}};
}

WriteResult AppendedFile::resume(const QByteArray& header) {
    const qint64 size = m_file.size();
    if (size > 0 && (!m_file.seek(0) || m_file.read(header.size()) != header)) {
        // Not a file of ours, or its first line was cut: none of it is mixed with ours.
        m_file.close();
        const QString aside = freeSideName(m_path, QStringLiteral("aside"));
        if (!QFile::rename(m_path, aside))
            return {false, QStringLiteral("does not hold a log and cannot be set aside")};
        m_setAside = aside;
        if (const QString why = openRegular(m_path, m_file); !why.isEmpty()) return {false, why};
        return resume(header);
    }
    if (size == 0) {
        if (m_file.write(header) != header.size() || !syncToDisk(m_file).isEmpty())
            return {false, m_file.errorString()};
        return {true, {}};
    }
    if (!m_file.seek(size - 1)) return {false, m_file.errorString()};
    if (m_file.read(1) != "\n") {
        // A line cut short by a crash or a power cut: set aside, then cut off here.
        const qint64 from = std::max<qint64>(header.size() - 1, size - kTailWindow);
        m_file.seek(from);
        const qint64 lastBreak = m_file.read(size - from).lastIndexOf('\n');
        if (lastBreak < 0) return {false, QStringLiteral("ends in a line too long to be a row")};
        const qint64 cutAt = from + lastBreak + 1;
        m_file.seek(cutAt);
        const QString side = freeSideName(m_path, QStringLiteral("cut"));
        const WriteResult kept = writeFilesTogether({{side, m_file.read(size - cutAt)}});
        if (!kept)
            return {false,
                    QStringLiteral("its cut last line cannot be set aside: %1").arg(kept.reason)};
        m_setAside = side;
        if (!m_file.resize(cutAt) || !syncToDisk(m_file).isEmpty())
            return {false, m_file.errorString()};
    }
    if (!m_file.seek(m_file.size())) return {false, m_file.errorString()};
    return {true, {}};
}

WriteResult AppendedFile::append(const QByteArray& line, qint64 nowMs) {
    if (!m_file.isOpen()) return {false, QStringLiteral("is not open")};
    errno = 0;
    if (m_file.write(line) != line.size() || !m_file.flush())
        return fail(errno ? systemReason(errno) : m_file.errorString());
    m_dirty = true;
    return syncIfDue(nowMs);
}

WriteResult AppendedFile::syncIfDue(qint64 nowMs) {
    if (!m_dirty || nowMs - m_lastSyncMs < kSyncEveryMs) return {true, {}};
    return sync(nowMs);
}

WriteResult AppendedFile::sync(qint64 nowMs) {
    if (!m_dirty || !m_file.isOpen()) return {true, {}};
    if (const QString reason = syncToDisk(m_file); !reason.isEmpty()) return fail(reason);
    m_dirty = false;
    m_lastSyncMs = nowMs;
    return {true, {}};
}

WriteResult AppendedFile::close(qint64 nowMs) {
    const WriteResult r = sync(nowMs);
    m_file.close();
    m_dirty = false;
    return r;
}

}  // namespace km905
