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
    virtual std::optional<QByteArray> readAll() = 0;  // nothing when there is no file
    virtual void remove() = 0;
};

// The journal on disk, kept open while a recording runs and synced at every append, so
// that a killed program or a power cut leaves every stored sample behind. Only one running
// program owns it: a second one neither offers nor deletes the first one's recording.
class DiskJournalFile : public IJournalFile {
  public:
    explicit DiskJournalFile(QString path);
    bool create(const QByteArray& bytes) override;
    bool append(const QByteArray& bytes) override;
    std::optional<QByteArray> readAll() override;
    void remove() override;
    const QString& path() const { return m_path; }

  private:
    QString m_path;
    QFile m_file;
    QLockFile m_lock;
    bool m_owner = false;
};

// The journal's place: the data folder.
QString journalPath();

}  // namespace km905
