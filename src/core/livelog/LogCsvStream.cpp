// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/livelog/LogCsvStream.h"

#include <QFile>

#include "core/files/SafeFile.h"

namespace km905 {

namespace {
constexpr qint64 kPiece = 1 << 20;
constexpr qint64 kEnd = 4096;  // holds a few whole rows

// Calls `line` for each whole line of the bytes; returns where the unfinished one starts.
qsizetype splitLines(const QByteArray& bytes,
                     const std::function<void(const char*, size_t)>& line) {
    qsizetype start = 0;
    for (;;) {
        const qsizetype end = bytes.indexOf('\n', start);
        if (end < 0) return start;
        line(bytes.constData() + start, static_cast<size_t>(end - start));
        start = end + 1;
    }
}
}  // namespace

QString forEachLogRow(const QString& path, const std::function<void(const ParsedLogRow&)>& row) {
    QFile file;
    if (const QString why = openRegularFile(path, file); !why.isEmpty()) return why;
    QByteArray carried;
    for (;;) {
        QByteArray piece = file.read(kPiece);
        if (file.error() != QFileDevice::NoError) return file.errorString();
        if (piece.isEmpty()) return {};
        if (!carried.isEmpty()) piece.prepend(carried);
        const qsizetype rest = splitLines(piece, [&](const char* s, size_t n) {
            if (const std::optional<ParsedLogRow> r = parseLogRow(s, n)) row(*r);
        });
        carried = piece.mid(rest);
    }
}

std::optional<LogSpan> logSpan(const QString& path, QString* why) {
    QFile file;
    if (QString e = openRegularFile(path, file); !e.isEmpty()) {
        *why = e;
        return std::nullopt;
    }
    std::optional<qint64> first, last;
    const auto take = [&](const char* s, size_t n) {
        if (const std::optional<ParsedLogRow> r = parseLogRow(s, n)) {
            if (!first) first = r->timeSecs;
            last = r->timeSecs;
        }
    };
    splitLines(file.read(kEnd), take);
    const std::optional<qint64> head = first;
    if (file.size() > kEnd && file.seek(file.size() - kEnd)) {
        const QByteArray tail = file.read(kEnd);
        // The first line of the tail may have lost its beginning.
        splitLines(tail.mid(tail.indexOf('\n') + 1), take);
    }
    if (!head || !last) {
        *why = QStringLiteral("holds no log rows");
        return std::nullopt;
    }
    return LogSpan{*head, *last};
}

}  // namespace km905
