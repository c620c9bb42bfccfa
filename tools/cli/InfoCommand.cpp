// SPDX-License-Identifier: GPL-3.0-or-later
// info: what a graph or list file holds.
#include <cstdio>

#include "Commands.h"
#include "Report.h"
#include "SavedFile.h"
#include "core/files/TextExport.h"
#include "core/model/TimeText.h"

namespace km905::cli {

namespace {
// A file's text as the terminal should show it: a control character (an escape sequence, a
// carriage return) is written as \xHH or \uHHHH, never sent as it is; a backslash doubles.
QString printable(const QString& fromFile) {
    QString out;
    for (qsizetype i = 0; i < fromFile.size(); ++i) {
        const QChar c = fromFile[i];
        const QChar::Category kind = c.category();
        if (c.isHighSurrogate() && i + 1 < fromFile.size() && fromFile[i + 1].isLowSurrogate()) {
            out += c;
            out += fromFile[++i];
        } else if (c == QLatin1Char('\\')) {
            out += QStringLiteral("\\\\");
        } else if (kind == QChar::Other_Control || kind == QChar::Other_Format ||
                   kind == QChar::Separator_Line || kind == QChar::Separator_Paragraph ||
                   c.isSurrogate()) {
            out += c.unicode() < 0x100
                       ? QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'))
                       : QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        } else {
            out += c;
        }
    }
    return out;
}

QString unitName(int flag) {
    return flag == 0   ? QStringLiteral("lux")
           : flag == 1 ? QStringLiteral("foot-candles")
                       : QStringLiteral("unknown (%1)").arg(flag);
}

void printGraph(const QString& path, const GraphRecord& g) {
    std::printf("%s\n", qUtf8Printable(path));
    std::printf("  kind:       graph file (AsmDat)\n");
    std::printf("  readings:   %zu (%d from meter frames)\n", g.readings.size(), g.headerCount);
    std::printf("  unit:       %s\n", qUtf8Printable(unitName(g.unitFC)));
    std::printf("  start:      %s\n", qUtf8Printable(formatMeterTime(g.start, kStoredTimeFormat)));
    std::printf("  interval:   %d s\n", g.rateSecs);
    std::printf("  scale:      %d\n", g.scale);
    QStringList first;
    for (size_t i = 0; i < g.readings.size() && i < 10; ++i) {
        const QString v = graphValueText(g.readings[i], g.unitFC, Precision::Double);
        first << (v.isEmpty() ? QString::number(g.readings[i]) : v);
    }
    std::printf("  first:      %s%s\n", qUtf8Printable(first.join(", ")),
                g.readings.size() > 10 ? ", ..." : "");
}

void printList(const QString& path, const std::vector<ListRecord>& recs) {
    std::printf("%s\n", qUtf8Printable(path));
    std::printf("  kind:       memory list file (MemDat)\n");
    std::printf("  records:    %zu\n", recs.size());
    for (size_t i = 0; i < recs.size() && i < 10; ++i) {
        const ListRecord& r = recs[i];
        std::printf("  %3zu  %10s %-3s  %-7s  %s\n", i + 1,
                    qUtf8Printable(listValueText(r.value, r.unitFC, r.sign)),
                    r.unitFC ? "FC" : "Lux", qUtf8Printable(printable(r.mode)),
                    qUtf8Printable(printable(r.time)));
    }
    if (recs.size() > 10) std::printf("  ...\n");
}
}  // namespace

int runInfo(const Arguments& args) {
    QCommandLineParser parser;
    if (const std::optional<int> done = parseSubcommand(parser, args)) return *done;
    const QStringList files = parser.positionalArguments();
    if (files.isEmpty()) return usageError(QStringLiteral("info needs a FILE"));
    int status = kExitOk;
    for (const QString& path : files) {
        QString why;
        const std::optional<SavedFile> file = readSavedFile(path, &why);
        if (!file) {
            status = fail(path, why);
        } else if (file->kind == SavedFile::Kind::Graph) {
            printGraph(path, file->graph);
        } else {
            printList(path, file->records);
        }
    }
    return status;
}

}  // namespace km905::cli
