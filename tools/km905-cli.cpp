// km905-cli: looks into KM905 graph and list files and writes their text exports.
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <cstdio>

#include "files/GraphFile.h"
#include "files/ListFile.h"
#include "files/SafeFile.h"
#include "files/TextExport.h"
#include "model/TimeText.h"

using namespace km905;

namespace {

const char* kHelp =
    "Usage: km905-cli info FILE...\n"
    "       km905-cli export FILE...\n"
    "\n"
    "Works on the KM905 program's own files: graph files (.AsmDat, a real-time or datalogger\n"
    "recording) and memory list files (.MemDat).\n"
    "\n"
    "  info     prints what a file holds: its kind, counts, unit, start time, interval and\n"
    "           scale (graphs), and its first readings or records\n"
    "  export   writes the text export beside the file, as the program's Save writes it\n"
    "           (UTF-16 with a byte-order mark, tab-separated, CRLF; NAME.csv for NAME.AsmDat\n"
    "           or NAME.MemDat), and prints its path; an existing export is replaced\n"
    "\n"
    "A file that is not a KM905 file, or that ends early, is reported on standard error and\n"
    "the exit status is 1 (2 for a wrong command line). Several files may be given.\n";

enum class Kind { Graph, List };

int fail(const QString& path, const QString& why) {
    std::fprintf(stderr, "km905-cli: %s: %s\n", qPrintable(path), qPrintable(why));
    return 1;
}

Kind guessKind(const QString& path, const QByteArray& bytes) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == "asmdat") return Kind::Graph;
    if (suffix == "memdat") return Kind::List;
    // Otherwise by shape: a graph file is exactly 47 + 4N bytes.
    const GraphReadResult g = readGraphFile(bytes);
    if (g.status == GraphReadResult::Status::Ok &&
        bytes.size() == 47 + 4 * qsizetype(g.record.readings.size()))
        return Kind::Graph;
    return Kind::List;
}

QString unitName(int flag) {
    return flag == 0   ? QStringLiteral("lux")
           : flag == 1 ? QStringLiteral("foot-candles")
                       : QStringLiteral("unknown (%1)").arg(flag);
}

void printGraph(const QString& path, const GraphRecord& g) {
    std::printf("%s\n", qPrintable(path));
    std::printf("  kind:       graph file (AsmDat)\n");
    std::printf("  readings:   %zu (%d from meter frames)\n", g.readings.size(), g.headerCount);
    std::printf("  unit:       %s\n", qPrintable(unitName(g.unitFC)));
    std::printf("  start:      %s\n", qPrintable(formatMeterTime(g.start, kStoredTimeFormat)));
    std::printf("  interval:   %d s\n", g.rateSecs);
    std::printf("  scale:      %d\n", g.scale);
    QStringList first;
    for (size_t i = 0; i < g.readings.size() && i < 10; ++i) {
        QString v = graphValueText(g.readings[i], g.unitFC, Precision::Double);
        first << (v.isEmpty() ? QString::number(g.readings[i]) : v);
    }
    std::printf("  first:      %s%s\n", qPrintable(first.join(", ")),
                g.readings.size() > 10 ? ", ..." : "");
}

void printList(const QString& path, const std::vector<ListRecord>& recs) {
    std::printf("%s\n", qPrintable(path));
    std::printf("  kind:       memory list file (MemDat)\n");
    std::printf("  records:    %zu\n", recs.size());
    for (size_t i = 0; i < recs.size() && i < 10; ++i) {
        const ListRecord& r = recs[i];
        std::printf("  %3zu  %10s %-3s  %-7s  %s\n", i + 1,
                    qPrintable(listValueText(r.value, r.unitFC, r.sign)), r.unitFC ? "FC" : "Lux",
                    qPrintable(r.mode), qPrintable(r.time));
    }
    if (recs.size() > 10) std::printf("  ...\n");
}

int handle(const QString& command, const QString& path) {
    const ReadResult read = readRegularFile(path, 64 * 1024 * 1024);
    if (!read.bytes) return fail(path, read.reason);
    const QByteArray& bytes = *read.bytes;
    const Kind kind = guessKind(path, bytes);
    QByteArray exportBytes;
    if (kind == Kind::Graph) {
        const GraphReadResult r = readGraphFile(bytes);
        if (r.status == GraphReadResult::Status::InvalidFormat)
            return fail(path, "Invalid Format!");
        if (r.status == GraphReadResult::Status::Truncated)
            return fail(path, QStringLiteral("the graph file ends early (%1 readings read)")
                                  .arg(r.record.readings.size()));
        if (command == "info") printGraph(path, r.record);
        exportBytes = loggerGraphExport(r.record);
    } else {
        const ListReadResult r = readListFile(bytes);
        if (r.status == ListReadResult::Status::InvalidFormat) return fail(path, "Invalid Format!");
        if (r.status == ListReadResult::Status::Truncated)
            return fail(path, QStringLiteral("the list file ends early (%1 whole records)")
                                  .arg(r.records.size()));
        if (command == "info") printList(path, r.records);
        exportBytes = listExport(r.records);
    }
    if (command == "export") {
        const QString out = exportPathFor(path, kind == Kind::Graph ? "AsmDat" : "MemDat");
        if (out == path) return fail(path, "refusing to overwrite the file itself");
        const WriteResult written = writeFilesTogether({{out, exportBytes}});
        if (!written) return fail(out, QStringLiteral("cannot be written: %1").arg(written.reason));
        std::printf("%s\n", qPrintable(out));
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() >= 2 && (args[1] == "--help" || args[1] == "-h" || args[1] == "help")) {
        std::fputs(kHelp, stdout);
        return 0;
    }
    if (args.size() < 3 || (args[1] != "info" && args[1] != "export")) {
        std::fputs(kHelp, stderr);
        return 2;
    }
    int status = 0;
    for (int i = 2; i < args.size(); ++i) status = std::max(status, handle(args[1], args[i]));
    return status;
}
