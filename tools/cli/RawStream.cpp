// SPDX-License-Identifier: GPL-3.0-or-later
#include "RawStream.h"

#include "Report.h"

namespace km905::cli {

int RawStreamFile::open() {
    const WriteResult opened = m_file.open();
    if (!opened) return fail(m_path, QStringLiteral("cannot be written: %1").arg(opened.reason));
    return kExitOk;
}

void RawStreamFile::catchUp(const LinkGlobals& g) {
    const qint64 written = m_file.size();
    if (g.g_logReceived <= written) return;
    m_file.append(QByteArray(reinterpret_cast<const char*>(g.g_logBuffer.data()) + written,
                             g.g_logReceived - written));
}

int RawStreamFile::finish(const LinkGlobals& g) {
    catchUp(g);
    const WriteResult written = m_file.commit();
    if (!written) return fail(m_path, QStringLiteral("cannot be written: %1").arg(written.reason));
    printLine(m_path);
    return kExitOk;
}

}  // namespace km905::cli
