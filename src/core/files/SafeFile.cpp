// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/files/SafeFile.h"

#include "core/files/DiskSync.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <memory>
#include <system_error>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace km905 {

namespace {

QString systemReason(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

// Qt does not always keep the system's words for a failed flush; errno still has them.
QString fileReason(const QFile& f) {
    return errno != 0 ? systemReason(errno) : f.errorString();
}

std::filesystem::path fsPath(const QString& path) {
    return std::filesystem::path(path.toStdU16String());
}

// What stands at the target path: nothing, a regular file, or something not to touch.
enum class Target { Missing, Regular, Other };

Target targetKind(const QString& path) {
    std::error_code ec;
    const auto status = std::filesystem::symlink_status(fsPath(path), ec);
    if (ec || status.type() == std::filesystem::file_type::not_found) return Target::Missing;
    return status.type() == std::filesystem::file_type::regular ? Target::Regular : Target::Other;
}

QString notRegularReason(const QString& path) {
    return QStringLiteral("%1 is not a regular file").arg(QFileInfo(path).fileName());
}

#ifndef Q_OS_WIN
QFileDevice::Permissions defaultPermissions() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    const mode_t mode = 0666 & ~mask;
    QFileDevice::Permissions p;
    if (mode & S_IRUSR) p |= QFileDevice::ReadOwner | QFileDevice::ReadUser;
    if (mode & S_IWUSR) p |= QFileDevice::WriteOwner | QFileDevice::WriteUser;
    if (mode & S_IRGRP) p |= QFileDevice::ReadGroup;
    if (mode & S_IWGRP) p |= QFileDevice::WriteGroup;
    if (mode & S_IROTH) p |= QFileDevice::ReadOther;
    if (mode & S_IWOTH) p |= QFileDevice::WriteOther;
    return p;
}

void syncFolder(const QString& folder) {
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return;
    ::fsync(fd);  // the renames are done; this only makes them last through a power cut
    ::close(fd);
}
#else
QFileDevice::Permissions defaultPermissions() {
    return QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser |
           QFileDevice::WriteUser | QFileDevice::ReadGroup | QFileDevice::ReadOther;
}
void syncFolder(const QString&) {}
#endif

// Keeps the old file under a second name while the new one moves in, so a later failure
// can put it back.
QString keepOldFile(const QString& path, QString* reason) {
    const QFileInfo info(path);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString backup =
            info.dir().filePath(QStringLiteral(".%1.%2.old").arg(info.fileName()).arg(attempt));
        if (QFileInfo::exists(backup) || QFileInfo(backup).isSymLink()) continue;
#ifndef Q_OS_WIN
        if (::link(QFile::encodeName(path).constData(), QFile::encodeName(backup).constData()) == 0)
            return backup;
        const int error = errno;
        if (error == EEXIST) continue;
        // Some file systems have no hard links; a copy does the same job there.
        if (error != EPERM && error != EOPNOTSUPP && error != EXDEV) {
            *reason = systemReason(error);
            return {};
        }
#endif
        QFile old(path);
        if (old.copy(backup)) return backup;
        *reason = old.errorString();
        return {};
    }
    *reason = QStringLiteral("no free name for a backup in %1").arg(info.path());
    return {};
}

// QTemporaryFile keeps its handle until it is destroyed, and Windows moves no open file: once
// its bytes are on the disk the object goes and only the name is kept.
QString releaseTemporary(std::unique_ptr<QTemporaryFile>& temp) {
    const QString name = temp->fileName();
    temp->setAutoRemove(false);
    temp.reset();
    return name;
}

struct Staged {
    QString target;
    std::unique_ptr<QTemporaryFile> temp;  // while it is written
    QString written;                       // then its name, removed unless moved into place
    bool existed = false;
    QString backup;
    bool moved = false;

    Staged() = default;
    Staged(Staged&&) = default;
    Staged& operator=(Staged&&) = default;
    ~Staged() {
        if (!moved && !written.isEmpty()) QFile::remove(written);
    }
};

// The temporary file beside the target, open for writing, with the target's permissions.
QString openTemporary(const QString& path, std::unique_ptr<QTemporaryFile>& out, bool* existed) {
    const Target kind = targetKind(path);
    if (kind == Target::Other) return notRegularReason(path);
    *existed = kind == Target::Regular;
    const QFileInfo info(path);
    if (!info.dir().exists())
        return QStringLiteral("the folder %1 does not exist").arg(info.path());
    out = std::make_unique<QTemporaryFile>(
        info.dir().filePath(QStringLiteral(".%1.XXXXXX").arg(info.fileName())));
    if (!out->open()) return out->errorString();
    out->setPermissions(*existed ? QFile(path).permissions() : defaultPermissions());
    return {};
}

QString stage(const PendingFile& file, const FileSteps& steps, Staged& out) {
    out.target = file.path;
    if (QString e = openTemporary(file.path, out.temp, &out.existed); !e.isEmpty()) return e;
    QTemporaryFile& temp = *out.temp;
    if (QString e = steps.write(temp, file.bytes); !e.isEmpty()) return e;
    if (QString e = steps.flush(temp); !e.isEmpty()) return e;
    if (QString e = steps.sync(temp); !e.isEmpty()) return e;
    temp.close();
    if (temp.error() != QFileDevice::NoError) return temp.errorString();
    out.written = releaseTemporary(out.temp);
    return {};
}

// Puts back what was there before; used only after a move failed.
void rollBack(std::vector<Staged>& staged) {
    for (Staged& s : staged) {
        if (!s.moved) continue;
        if (s.existed) {
            if (replaceFile(s.backup, s.target).isEmpty()) s.backup.clear();
        } else {
            std::error_code ec;
            std::filesystem::remove(fsPath(s.target), ec);
        }
    }
}

}  // namespace

FileSteps FileSteps::real() {
    FileSteps s;
    s.write = [](QFile& f, const QByteArray& bytes) -> QString {
        errno = 0;
        return f.write(bytes) == bytes.size() ? QString() : fileReason(f);
    };
    s.flush = [](QFile& f) -> QString {
        errno = 0;
        return f.flush() ? QString() : fileReason(f);
    };
    s.sync = [](QFile& f) { return syncToDisk(f); };
    s.rename = [](const QString& from, const QString& to) { return replaceFile(from, to); };
    return s;
}

WriteResult writeFilesTogether(const std::vector<PendingFile>& files, const FileSteps& steps) {
    std::vector<Staged> staged(files.size());
    for (size_t i = 0; i < files.size(); ++i)
        if (QString e = stage(files[i], steps, staged[i]); !e.isEmpty()) return {false, e};

    // Only with several files can a later move fail after an earlier one succeeded.
    if (files.size() > 1) {
        for (Staged& s : staged) {
            if (!s.existed) continue;
            QString reason;
            s.backup = keepOldFile(s.target, &reason);
            if (s.backup.isEmpty()) {
                for (Staged& b : staged) QFile::remove(b.backup);
                return {false, reason};
            }
        }
    }
    for (Staged& s : staged) {
        // A link or pipe may have been put there since it was checked.
        QString e = targetKind(s.target) == Target::Other ? notRegularReason(s.target)
                                                          : steps.rename(s.written, s.target);
        if (!e.isEmpty()) {
            rollBack(staged);
            for (Staged& b : staged)
                if (!b.backup.isEmpty()) QFile::remove(b.backup);
            return {false, e};
        }
        s.moved = true;
    }
    for (Staged& s : staged)
        if (!s.backup.isEmpty()) QFile::remove(s.backup);
    if (!staged.empty()) syncFolder(QFileInfo(staged.front().target).path());
    return {true, {}};
}

GrowingFile::GrowingFile(QString path, FileSteps steps)
    : m_path(std::move(path)), m_steps(std::move(steps)) {}

GrowingFile::~GrowingFile() = default;  // an uncommitted temporary file goes with it

WriteResult GrowingFile::open() {
    bool existed = false;
    m_failure = openTemporary(m_path, m_temp, &existed);
    if (!m_failure.isEmpty()) m_temp.reset();
    return {m_failure.isEmpty(), m_failure};
}

WriteResult GrowingFile::append(const QByteArray& bytes) {
    if (m_failure.isEmpty() && !m_temp)
        m_failure = QStringLiteral("%1 was not opened").arg(QFileInfo(m_path).fileName());
    if (!m_failure.isEmpty()) return {false, m_failure};
    if (bytes.isEmpty()) return {true, {}};
    QTemporaryFile& temp = *m_temp;
    if (QString e = m_steps.write(temp, bytes); !e.isEmpty()) {
        m_failure = e;
    } else if (QString e = m_steps.flush(temp); !e.isEmpty()) {
        m_failure = e;
    } else if (QString e = m_steps.sync(temp); !e.isEmpty()) {
        m_failure = e;
    } else {
        m_size += bytes.size();
    }
    return {m_failure.isEmpty(), m_failure};
}

WriteResult GrowingFile::commit() {
    if (const WriteResult r = append({}); !r) return r;
    m_temp->close();
    if (m_temp->error() != QFileDevice::NoError) {
        m_failure = m_temp->errorString();
        return {false, m_failure};
    }
    const QString written = releaseTemporary(m_temp);
    m_failure = targetKind(m_path) == Target::Other  // put there since open()
                    ? notRegularReason(m_path)
                    : m_steps.rename(written, m_path);
    if (!m_failure.isEmpty()) {
        QFile::remove(written);
        return {false, m_failure};
    }
    syncFolder(QFileInfo(m_path).path());
    m_failure = QStringLiteral("%1 is already in place").arg(QFileInfo(m_path).fileName());
    return {true, {}};
}

QString openRegularFile(const QString& path, QFile& file) {
#ifndef Q_OS_WIN
    // Opened without blocking and checked on the open handle, so a pipe put in place of a
    // file can neither hang the read nor slip past the check.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return systemReason(errno);
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return notRegularReason(path);
    }
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return file.errorString();
    }
#else
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) return notRegularReason(path);
    file.setFileName(path);
    if (!file.open(QIODevice::ReadOnly)) return file.errorString();
#endif
    return {};
}

ReadResult readRegularFile(const QString& path, qint64 maxBytes) {
    QFile file;
    if (const QString why = openRegularFile(path, file); !why.isEmpty()) return {std::nullopt, why};
    QByteArray bytes = file.read(maxBytes);
    if (file.error() != QFileDevice::NoError) return {std::nullopt, file.errorString()};
    return {std::move(bytes), {}};
}

}  // namespace km905
