#include "RawStream.h"

#include "Report.h"
#include "files/SafeFile.h"

namespace km905::cli {

int keepRawStream(const QString& path, const LinkGlobals& g) {
    const QByteArray bytes(reinterpret_cast<const char*>(g.g_logBuffer.data()), g.g_logReceived);
    const WriteResult written = writeFilesTogether({{path, bytes}});
    if (!written) return fail(path, QStringLiteral("cannot be written: %1").arg(written.reason));
    printLine(path);
    return kExitOk;
}

}  // namespace km905::cli
