// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>
#include <optional>

#include "core/livelog/LogRow.h"

namespace km905 {

// Reads a log's rows piece by piece, so a week of them never sits in memory. Lines that are
// not rows (the header, a cut last line) are passed over. Empty when read to the end,
// otherwise why it could not be.
QString forEachLogRow(const QString& path, const std::function<void(const ParsedLogRow&)>& row);

// The first and the last row's times, read from the file's two ends only.
struct LogSpan {
    qint64 firstSecs = 0;
    qint64 lastSecs = 0;
};
std::optional<LogSpan> logSpan(const QString& path, QString* why);

}  // namespace km905
