// SPDX-License-Identifier: GPL-3.0-or-later
// export: the text export of a graph or list file, UTF-16 as the program writes it or UTF-8.
#include <QFileInfo>

#include "Commands.h"
#include "Report.h"
#include "SavedFile.h"
#include "StandardOutput.h"
#include "core/files/SafeFile.h"
#include "core/files/TextExport.h"
#include "core/files/Utf8CsvExport.h"

namespace km905::cli {

namespace {
enum class Format { Tsv, Csv };

struct ExportOptions {
    Format format = Format::Tsv;
    bool force = false;
    QString output;  // empty: beside the file
};

QByteArray exportBytes(const SavedFile& file, Format format) {
    const bool graph = file.kind == SavedFile::Kind::Graph;
    if (format == Format::Csv) return graph ? graphCsvUtf8(file.graph) : listCsvUtf8(file.records);
    return graph ? loggerGraphExport(file.graph) : listExport(file.records);
}

int exportOne(const QString& path, const ExportOptions& options) {
    QString why;
    const std::optional<SavedFile> file = readSavedFile(path, &why);
    if (!file) return fail(path, why);
    // "-o -": the export alone on standard output, for a pipe; messages stay on stderr.
    if (options.output == QLatin1String("-")) {
        const QString failed = writeStandardOutput(exportBytes(*file, options.format));
        if (!failed.isEmpty()) return fail(QStringLiteral("standard output"), failed);
        return kExitOk;
    }
    QString out = options.output;
    if (out.isEmpty())
        out = options.format == Format::Csv ? utf8CsvPathFor(path, file->suffix())
                                            : exportPathFor(path, file->suffix());
    if (QFileInfo(out) == QFileInfo(path))
        return fail(path, QStringLiteral("refusing to overwrite the file itself"));
    // The program's own export of a real-time recording holds rows this one cannot make.
    if (options.output.isEmpty() && !options.force && QFileInfo::exists(out))
        return fail(out,
                    QStringLiteral("already exists; --force replaces it, -o OUT writes elsewhere"));
    const WriteResult written = writeFilesTogether({{out, exportBytes(*file, options.format)}});
    if (!written) return fail(out, QStringLiteral("cannot be written: %1").arg(written.reason));
    printLine(out);
    return kExitOk;
}
}  // namespace

int runExport(const Arguments& args) {
    QCommandLineParser parser;
    const QCommandLineOption force(QStringLiteral("force"), QString());
    const QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")}, QString(),
                                    QStringLiteral("OUT"));
    const QCommandLineOption format(QStringLiteral("format"), QString(), QStringLiteral("FORMAT"));
    parser.addOptions({force, output, format});
    if (const std::optional<int> done = parseSubcommand(parser, args)) return *done;
    ExportOptions options;
    options.force = parser.isSet(force);
    options.output = parser.value(output);
    const QString formatName = parser.value(format);
    if (formatName == QLatin1String("csv"))
        options.format = Format::Csv;
    else if (!formatName.isEmpty() && formatName != QLatin1String("tsv"))
        return usageError(QStringLiteral("--format is tsv or csv, not '%1'").arg(formatName));
    const QStringList files = parser.positionalArguments();
    if (files.isEmpty()) return usageError(QStringLiteral("export needs a FILE"));
    if (parser.isSet(output) && (options.output.isEmpty() || files.size() > 1))
        return usageError(QStringLiteral("-o OUT takes the export of one FILE"));
    int status = kExitOk;
    for (const QString& path : files) status = std::max(status, exportOne(path, options));
    return status;
}

}  // namespace km905::cli
