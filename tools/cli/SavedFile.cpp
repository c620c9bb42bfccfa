// SPDX-License-Identifier: GPL-3.0-or-later
#include "SavedFile.h"

#include <QFileInfo>

#include "core/app/SaveSequences.h"
#include "core/files/SafeFile.h"

namespace km905::cli {

namespace {
constexpr qint64 kLargestFile = 64 * 1024 * 1024;

SavedFile::Kind guessKind(const QString& path, const QByteArray& bytes) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("asmdat")) return SavedFile::Kind::Graph;
    if (suffix == QLatin1String("memdat")) return SavedFile::Kind::List;
    // Otherwise by shape: a graph file is exactly 47 + 4N bytes.
    const GraphReadResult g = readGraphFile(bytes);
    if (g.status == GraphReadResult::Status::Ok &&
        bytes.size() == 47 + 4 * qsizetype(g.record.readings.size()))
        return SavedFile::Kind::Graph;
    return SavedFile::Kind::List;
}
}  // namespace

QString SavedFile::suffix() const {
    return kind == Kind::Graph ? kGraphSuffix : kListSuffix;
}

std::optional<SavedFile> readSavedFile(const QString& path, QString* why) {
    const ReadResult read = readRegularFile(path, kLargestFile);
    if (!read.bytes) {
        *why = read.reason;
        return std::nullopt;
    }
    SavedFile file;
    file.kind = guessKind(path, *read.bytes);
    if (file.kind == SavedFile::Kind::Graph) {
        const GraphReadResult r = readGraphFile(*read.bytes);
        if (r.status == GraphReadResult::Status::InvalidFormat) {
            *why = QStringLiteral("Invalid Format!");
            return std::nullopt;
        }
        if (r.status == GraphReadResult::Status::Truncated) {
            *why = QStringLiteral("the graph file ends early (%1 readings read)")
                       .arg(r.record.readings.size());
            return std::nullopt;
        }
        file.graph = r.record;
    } else {
        const ListReadResult r = readListFile(*read.bytes);
        if (r.status == ListReadResult::Status::InvalidFormat) {
            *why = QStringLiteral("Invalid Format!");
            return std::nullopt;
        }
        if (r.status == ListReadResult::Status::Truncated) {
            *why =
                QStringLiteral("the list file ends early (%1 whole records)").arg(r.records.size());
            return std::nullopt;
        }
        file.records = r.records;
    }
    return file;
}

}  // namespace km905::cli
