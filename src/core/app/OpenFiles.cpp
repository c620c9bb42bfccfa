// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/app/OpenFiles.h"

#include <QFileInfo>

#include "core/files/GraphFile.h"
#include "core/files/ListFile.h"
#include "core/files/SafeFile.h"

namespace km905 {

QString openFailedText(const QString& path, const QString& reason) {
    return QStringLiteral("The file \"%1\" could not be opened: %2.")
        .arg(QFileInfo(path).fileName(), reason);
}

namespace {
// Neither file can be larger than this; reading more would only waste memory.
constexpr qint64 kMaxFileSize = 47 + 4 * kReadingsCapacity + 1024 * 1024;

// A pipe or device is no file of ours: refused as a foreign file, never opened to block.
std::optional<QByteArray> readFile(const QString& path, IUserInteraction& ui,
                                   OpenOutcome* failure) {
    const ReadResult r = readRegularFile(path, kMaxFileSize);
    if (r.bytes) return r.bytes;
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        ui.showMessage(kInvalidFormatText);
        *failure = OpenOutcome::InvalidFormat;
    } else {
        ui.showMessage(openFailedText(path, r.reason));
        *failure = OpenOutcome::Unreadable;
    }
    return std::nullopt;
}
}  // namespace

OpenOutcome openGraphFile(const QString& path, MeterModel& m, IUserInteraction& ui) {
    OpenOutcome failure = OpenOutcome::Unreadable;
    const auto bytes = readFile(path, ui, &failure);
    if (!bytes) return failure;
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
    OpenOutcome failure = OpenOutcome::Unreadable;
    const auto bytes = readFile(path, ui, &failure);
    if (!bytes) return failure;
    const ListReadResult r = readListFile(*bytes);
    if (r.status == ListReadResult::Status::InvalidFormat) {
        ui.showMessage(kInvalidFormatText);
        return OpenOutcome::InvalidFormat;
    }
    m.view.m_memListLoaded = 1;
    m.view.m_memListPath = path;
    listToDocument(r.records, m.doc);
    return r.status == ListReadResult::Status::Ok ? OpenOutcome::Opened : OpenOutcome::Truncated;
}

}  // namespace km905
