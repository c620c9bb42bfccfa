// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QTemporaryFile;

namespace km905 {

struct PendingFile {
    QString path;
    QByteArray bytes;
};

// The steps by which bytes reach the disk. Each returns an empty text when it succeeded,
// otherwise the reason in plain words. Tests replace single steps to fail there.
struct FileSteps {
    std::function<QString(QFile& file, const QByteArray& bytes)> write;
    std::function<QString(QFile& file)> flush;
    std::function<QString(QFile& file)> sync;
    std::function<QString(const QString& from, const QString& to)> rename;

    static FileSteps real();
};

struct WriteResult {
    bool ok = false;
    QString reason;  // why it failed, from the system where it said
    explicit operator bool() const { return ok; }
};

// Writes every file in full under a temporary name in its own folder, flushes it to the
// disk, and only then moves all of them into place. When anything fails, every file that
// was there before is left as it was and no temporary file remains. A target that is a
// link, a pipe, a device or a folder is refused rather than followed or written into.
WriteResult writeFilesTogether(const std::vector<PendingFile>& files,
                               const FileSteps& steps = FileSteps::real());

// A file written while its bytes come: each piece is written, flushed and synced under a
// temporary name beside the target as it is appended, and commit() moves the whole into
// place. Until then, and after any failure, the file at the target stays as it was; an
// uncommitted temporary file is removed with this object. After the first failure nothing
// more is written and every later call returns that failure.
class GrowingFile {
  public:
    explicit GrowingFile(QString path, FileSteps steps = FileSteps::real());
    ~GrowingFile();
    GrowingFile(const GrowingFile&) = delete;
    GrowingFile& operator=(const GrowingFile&) = delete;

    // Refuses a link, pipe, device or folder at the target, as writeFilesTogether does.
    WriteResult open();
    WriteResult append(const QByteArray& bytes);
    WriteResult commit();
    qint64 size() const { return m_size; }

  private:
    QString m_path;
    FileSteps m_steps;
    std::unique_ptr<QTemporaryFile> m_temp;
    QString m_failure;
    qint64 m_size = 0;
};

struct ReadResult {
    std::optional<QByteArray> bytes;  // at most maxBytes of the file
    QString reason;
};

// Reads a regular file (or a link to one); pipes, devices and folders are refused without
// opening them for reading, so a read never blocks.
ReadResult readRegularFile(const QString& path, qint64 maxBytes);
// The same check for a file read piece by piece: empty when `file` is open for reading,
// otherwise why not.
QString openRegularFile(const QString& path, QFile& file);

}  // namespace km905
