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
    "       km905-cli export [--force] FILE...\n"
    "       km905-cli export -o OUT FILE\n"
    "\n"
    "Works on the KM905 program's own files: graph files (.AsmDat, a real-time or datalogger\n"
    "recording) and memory list files (.MemDat).\n"
    "\n"
    "  info      prints what a file holds: its kind, counts, unit, start time, interval and\n"
    "            scale (graphs), and its first readings or records\n"
    "  export    writes the text export beside the file (NAME.csv for NAME.AsmDat or\n"
    "            NAME.MemDat; UTF-16 with a byte-order mark, tab-separated, CRLF) and prints\n"
    "            its path; an export that is already there is kept and the command fails\n"
    "  --force   replaces exports that are already there\n"
    "  -o OUT    writes the export of the one FILE to OUT, replacing OUT\n"
    "  --        ends the options, for a FILE whose name starts with '-'\n"
    "\n"
    "A graph file is exported as the datalogger window's Save exports it: one row per stored\n"
    "reading, foot-candles converted in double precision. The NAME.csv the program writes\n"
    "when it saves a real-time recording has one row per meter frame (readings that filled\n"
    "sampling ticks without a frame are left out) and converts in single precision. The\n"
    "graph file does not record which readings came from frames, so for a real-time\n"
    "recording the two exports can differ in rows and in the last digit of foot-candles.\n"
    "\n"
    "A file that is not a KM905 file, or that ends early, or an export that is already\n"
    "there, is reported on standard error and the exit status is 1 (2 for a wrong command\n"
    "line). Several files may be given.\n";

struct ExportOptions {
    bool force = false;
    QString output;  // empty: beside the file
};

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

int handle(const QString& command, const QString& path, const ExportOptions& options) {
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
        const QString out = options.output.isEmpty()
                                ? exportPathFor(path, kind == Kind::Graph ? "AsmDat" : "MemDat")
                                : options.output;
        if (QFileInfo(out) == QFileInfo(path))
            return fail(path, "refusing to overwrite the file itself");
        // The program's own export of a real-time recording holds rows this one cannot make.
        if (options.output.isEmpty() && !options.force && QFileInfo::exists(out))
            return fail(out, "already exists; --force replaces it, -o OUT writes elsewhere");
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
    const QString command = args[1];
    ExportOptions options;
    QStringList files;
    bool optionsEnd = false;
    for (int i = 2; i < args.size(); ++i) {
        if (optionsEnd) {
            files << args[i];
        } else if (args[i] == "--") {
            optionsEnd = true;
        } else if (command == "export" && args[i] == "--force") {
            options.force = true;
        } else if (command == "export" && args[i] == "-o" && i + 1 < args.size()) {
            options.output = args[++i];
        } else if (args[i].startsWith('-') && args[i] != "-") {
            std::fprintf(stderr, "km905-cli: unknown option %s (see --help)\n",
                         qPrintable(args[i]));
            return 2;
        } else {
            files << args[i];
        }
    }
    if (files.isEmpty() || (!options.output.isEmpty() && files.size() > 1)) {
        std::fputs(kHelp, stderr);
        return 2;
    }
    int status = 0;
    for (const QString& path : files) status = std::max(status, handle(command, path, options));
    return status;
}
