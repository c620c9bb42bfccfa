// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QFile>
#include <QLockFile>
#include <QString>
#include <optional>

namespace km905 {

// Where the recording journal's bytes go; tests put in one that loses them.
class IJournalFile {
  public:
    virtual ~IJournalFile() = default;
    // A new file holding just these bytes, replacing any old one.
    virtual bool create(const QByteArray& bytes) = 0;
    // Adds to the end and pushes the bytes to the disk; false when not all of them got there.
    virtual bool append(const QByteArray& bytes) = 0;
    // The journal left behind, at most kJournalMaxSize bytes of it. Nothing when there is
    // none, when something other than a regular file stands in its place, or while another
    // running copy of the program keeps its recording there.
    virtual std::optional<QByteArray> readAll() = 0;
    virtual void remove() = 0;
    // Moves the journal out of the way, beside it under a name of its own and never over
    // another file; the new path, or nothing when it could not be moved.
    virtual std::optional<QString> keepAside() = 0;
};

// The journal on disk, kept open while a recording runs and synced at every append, so
// that a killed program or a power cut leaves every stored sample behind.
//
// A lock beside it says which running copy of the program has its recording there. It is
// taken when a recording starts and when a journal left behind is read, and let go when the
// journal is removed or kept aside. So the copy that holds the meter's port, the only one
// that can record, keeps its recording in the journal whichever copy started first, and no
// copy offers or deletes a recording that another one is still keeping.
class DiskJournalFile : public IJournalFile {
  public:
    explicit DiskJournalFile(QString path);
    bool create(const QByteArray& bytes) override;
    bool append(const QByteArray& bytes) override;
    std::optional<QByteArray> readAll() override;
    void remove() override;
    std::optional<QString> keepAside() override;
    const QString& path() const { return m_path; }

  private:
    bool own();  // takes the lock unless another copy holds it
    void release();
    QString m_path;
    QFile m_file;
    QLockFile m_lock;
    bool m_owner = false;
};

// The journal's place in the data folder.
QString journalPath(const QString& dataFolder);

}  // namespace km905
