// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/files/JournalFile.h"

#include "core/files/DiskSync.h"

#include <QFileInfo>

#include "core/app/Settings.h"
#include "core/files/RecordingJournal.h"
#include "core/files/SafeFile.h"

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace km905 {

namespace {

// Opens the journal for a new recording, empty. A link, pipe, device or folder in its place
// is refused: writing there would block or lose the samples.
bool openEmptyJournal(const QString& path, QFile& file) {
#ifndef Q_OS_WIN
    const int fd = ::open(QFile::encodeName(path).constData(),
                          O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) ||
        !file.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    return true;
#else
    const QFileInfo info(path);
    if (info.isSymLink() || (info.exists() && !info.isFile())) return false;
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate);
#endif
}
}  // namespace

DiskJournalFile::DiskJournalFile(QString path)
    : m_path(std::move(path)), m_file(m_path), m_lock(m_path + QStringLiteral(".lock")) {
    // A lock is stale only when its program is gone, however long a recording runs.
    m_lock.setStaleLockTime(0);
}

bool DiskJournalFile::own() {
    if (!m_owner) m_owner = m_lock.tryLock(0);
    return m_owner;
}

void DiskJournalFile::release() {
    m_file.close();
    if (m_owner) m_lock.unlock();
    m_owner = false;
}

bool DiskJournalFile::create(const QByteArray& bytes) {
    if (!own()) return false;
    m_file.close();
    if (!openEmptyJournal(m_path, m_file)) {
        release();  // nothing of ours is there
        return false;
    }
    return append(bytes);
}

bool DiskJournalFile::append(const QByteArray& bytes) {
    return m_file.isOpen() && m_file.write(bytes) == bytes.size() && syncToDisk(m_file).isEmpty();
}

std::optional<QByteArray> DiskJournalFile::readAll() {
    if (!own()) return std::nullopt;
    ReadResult r = readRegularFile(m_path, kJournalMaxSize);
    if (!r.bytes) {
        release();
        return std::nullopt;
    }
    return std::move(r.bytes);
}

void DiskJournalFile::remove() {
    if (!m_owner) return;
    m_file.close();
    QFile::remove(m_path);
    release();
}

std::optional<QString> DiskJournalFile::keepAside() {
    if (!m_owner) return std::nullopt;
    m_file.close();
    std::optional<QString> kept;
    for (int n = 1; n <= 999 && !kept; ++n) {
        const QString aside = m_path + QStringLiteral(".%1").arg(n);
        const QFileInfo there(aside);
        if (there.exists() || there.isSymLink()) continue;
        // QFile::rename never replaces a file that is there.
        if (QFile::rename(m_path, aside))
            kept = aside;
        else if (!QFileInfo(aside).exists())
            break;  // not a name taken in the meantime
    }
    release();
    return kept;
}

QString journalPath() {
    return Settings::dataFolder() + QStringLiteral("/KM905-recording.journal");
}

}  // namespace km905
