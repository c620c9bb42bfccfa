// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include "core/files/SafeFile.h"

namespace km905 {

// A text file of whole lines that grows in place over days: each line is written and
// flushed as it comes and pushed to the disk at most once a second, so a power cut loses at
// most the last second. Opening one that is there resumes it: a last line cut short by a
// crash is set aside into a file of its own beside it, and a file that does not begin with
// the expected first line is set aside whole, so nothing foreign is ever mixed in.
class AppendedFile {
  public:
    AppendedFile() = default;
    ~AppendedFile() { close(0); }
    AppendedFile(const AppendedFile&) = delete;
    AppendedFile& operator=(const AppendedFile&) = delete;

    // Opens or resumes the file, writing `header` into a new one. A link, pipe, device or
    // folder at the path is refused.
    WriteResult open(const QString& path, const QByteArray& header, qint64 nowMs);
    WriteResult append(const QByteArray& line, qint64 nowMs);
    // The lines written less than a second ago reach the disk once that second has passed.
    WriteResult syncIfDue(qint64 nowMs);
    // Synced and closed; harmless when not open.
    WriteResult close(qint64 nowMs);
    bool isOpen() const { return m_file.isOpen(); }
    const QString& path() const { return m_path; }
    // Where the last open put what it set aside; empty when nothing was.
    const QString& setAside() const { return m_setAside; }

  private:
    WriteResult sync(qint64 nowMs);
    WriteResult resume(const QByteArray& header);
    WriteResult fail(const QString& reason);

    QString m_path;
    QFile m_file;
    QString m_setAside;
    qint64 m_lastSyncMs = 0;
    bool m_dirty = false;
};

// "NAME.cut", or "NAME.cut.2" and on when that is taken: a name beside the file that holds
// nothing yet.
QString freeSideName(const QString& path, const QString& suffix);

}  // namespace km905
