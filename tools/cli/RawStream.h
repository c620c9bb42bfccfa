// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include "core/files/SafeFile.h"
#include "core/model/MeterState.h"

namespace km905::cli {

// The datalogger stream kept in a file (download logger --raw) as its bytes come: a download
// cut short keeps every byte that came. The file replaces the target only once finished.
class RawStreamFile {
  public:
    explicit RawStreamFile(const QString& path) : m_path(path), m_file(path) {}

    const QString& path() const { return m_path; }
    // Before the meter is asked: 0, or the exit status when the file cannot be written.
    int open();
    // The bytes of g_logBuffer not written yet; a failure is told by finish().
    void catchUp(const LinkGlobals& g);
    // The rest, then the file in place and its path printed; the exit status.
    int finish(const LinkGlobals& g);

  private:
    QString m_path;
    GrowingFile m_file;
};

}  // namespace km905::cli
