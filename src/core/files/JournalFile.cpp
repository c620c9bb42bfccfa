#include "files/JournalFile.h"

#include "app/Settings.h"

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <unistd.h>
#endif

namespace km905 {

namespace {
bool syncToDisk(QFile& f) {
    if (!f.flush()) return false;
#if defined(Q_OS_WIN)
    return _commit(f.handle()) == 0;
#elif defined(Q_OS_LINUX)
    return ::fdatasync(f.handle()) == 0;
#else
    return ::fsync(f.handle()) == 0;
#endif
}
}  // namespace

DiskJournalFile::DiskJournalFile(QString path)
    : m_path(std::move(path)), m_file(m_path), m_lock(m_path + QStringLiteral(".lock")) {
    // A lock is stale only when its program is gone, however long a recording runs.
    m_lock.setStaleLockTime(0);
    m_owner = m_lock.tryLock(0);
}

bool DiskJournalFile::create(const QByteArray& bytes) {
    if (!m_owner) return false;
    m_file.close();
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    return append(bytes);
}

bool DiskJournalFile::append(const QByteArray& bytes) {
    return m_file.isOpen() && m_file.write(bytes) == bytes.size() && syncToDisk(m_file);
}

std::optional<QByteArray> DiskJournalFile::readAll() {
    QFile f(m_path);
    if (!m_owner || !f.open(QIODevice::ReadOnly)) return std::nullopt;
    return f.readAll();
}

void DiskJournalFile::remove() {
    if (!m_owner) return;
    m_file.close();
    QFile::remove(m_path);
}

QString journalPath() {
    return Settings::dataFolder() + QStringLiteral("/KM905-recording.journal");
}

}  // namespace km905
