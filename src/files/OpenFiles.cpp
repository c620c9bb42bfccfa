#include "OpenFiles.h"

#include <QFile>

#include "GraphFile.h"
#include "ListFile.h"

namespace km905 {

namespace {
// Neither file can be larger than this; reading more would only waste memory.
constexpr qint64 kMaxFileSize = 47 + 4 * kGraphCapacity + 1024 * 1024;

std::optional<QByteArray> readFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return std::nullopt;
    return f.read(kMaxFileSize);
}
}  // namespace

OpenOutcome openGraphFile(const QString& path, MeterModel& m, IUserInteraction& ui) {
    const auto bytes = readFile(path);
    if (!bytes) return OpenOutcome::Unreadable;
    const GraphReadResult r = readGraphFile(*bytes);
    if (r.status == GraphReadResult::Status::InvalidFormat) {
        ui.showMessage(kInvalidFormatText);
        return OpenOutcome::InvalidFormat;
    }
    m.view.m_fileLoaded = 1;
    m.view.m_fileNew = 1;
    graphToDocument(r, m.doc);
    return r.status == GraphReadResult::Status::Ok ? OpenOutcome::Opened : OpenOutcome::Truncated;
}

OpenOutcome openListFile(const QString& path, MeterModel& m, IUserInteraction& ui) {
    const auto bytes = readFile(path);
    if (!bytes) return OpenOutcome::Unreadable;
    const ListReadResult r = readListFile(*bytes);
    if (r.status == ListReadResult::Status::InvalidFormat) {
        ui.showMessage(kInvalidFormatText);
        return OpenOutcome::InvalidFormat;
    }
    m.view.m_memListLoaded = 1;
    listToDocument(r.records, m.doc);
    return r.status == ListReadResult::Status::Ok ? OpenOutcome::Opened : OpenOutcome::Truncated;
}

}  // namespace km905
