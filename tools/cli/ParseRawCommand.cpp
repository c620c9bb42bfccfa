// SPDX-License-Identifier: GPL-3.0-or-later
// parse-raw: datalogger bytes kept by download logger --raw, turned into the same files.
#include <QDir>

#include "Commands.h"
#include "LoggerRecordFiles.h"
#include "Report.h"
#include "UnattendedSaves.h"
#include "core/files/SafeFile.h"
#include "core/link/LoggerStream.h"

namespace km905::cli {

namespace {
// The meter announces its stream's length in two bytes.
constexpr qint64 kLongestStream = 0xFFFF;
}  // namespace

int runParseRaw(const Arguments& args) {
    QCommandLineParser parser;
    const QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")}, QString(),
                                    QStringLiteral("DIR"));
    const QCommandLineOption force(QStringLiteral("force"), QString());
    parser.addOptions({output, force});
    if (const std::optional<int> done = parseSubcommand(parser, args)) return *done;
    const QStringList files = parser.positionalArguments();
    if (files.size() != 1) return usageError(QStringLiteral("parse-raw takes one FILE"));
    const QString path = files.first();
    const QString folder = parser.isSet(output) ? parser.value(output) : QDir::currentPath();
    const ReadResult read = readRegularFile(path, kLongestStream + 1);
    if (!read.bytes) return fail(path, read.reason);
    if (read.bytes->size() > kLongestStream)
        return fail(path, QStringLiteral("longer than any datalogger stream (65535 bytes)"));
    if (!QDir().mkpath(folder)) return fail(folder, QStringLiteral("cannot be made"));
    auto model = std::make_unique<MeterModel>();
    storeLoggerStream(*model, reinterpret_cast<const uint8_t*>(read.bytes->constData()),
                      static_cast<size_t>(read.bytes->size()));
    UnattendedSaves saves(folder, parser.isSet(force));
    return saveLoggerRecords(*model, saves);
}

}  // namespace km905::cli
