// SPDX-License-Identifier: GPL-3.0-or-later
// plot: logged days drawn into a PNG or a PDF with the graph core, streaming the rows.
#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QPageSize>
#include <QPdfWriter>
#include <algorithm>

#include "Commands.h"
#include "Report.h"
#include "core/files/SafeFile.h"
#include "core/livelog/LogCsvStream.h"
#include "core/livelog/LogPlot.h"
#include "report/DrawingPainter.h"

namespace km905::cli {

namespace {
struct SpannedFile {
    QString path;
    LogSpan span;
};

std::optional<QByteArray> pngBytes(const Drawing& d, const LogPlotFrame& f) {
    QImage image(static_cast<int>(f.width), static_cast<int>(f.height), QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter p(&image);
        paintDrawing(p, d, 1.0);
    }
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) return std::nullopt;
    return buffer.data();
}

std::optional<QByteArray> pdfBytes(const Drawing& d, const QString& title) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        pdf.setPageOrientation(QPageLayout::Landscape);
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        pdf.setResolution(600);
        pdf.setTitle(title);
        pdf.setCreator(QStringLiteral("KM905"));
        QPainter p;
        if (!p.begin(&pdf)) return std::nullopt;
        paintDrawing(p, d, pdf.resolution() / 72.0);
        if (!p.end()) return std::nullopt;
    }
    return buffer.data();
}

int plot(const QStringList& paths, const QString& out) {
    std::vector<SpannedFile> files;
    for (const QString& path : paths) {
        QString why;
        const std::optional<LogSpan> span = logSpan(path, &why);
        if (!span) return fail(path, why);
        files.push_back({path, *span});
    }
    // Days in their order, whatever the order given.
    std::sort(files.begin(), files.end(), [](const SpannedFile& a, const SpannedFile& b) {
        return a.span.firstSecs < b.span.firstSecs;
    });
    qint64 from = files.front().span.firstSecs, to = files.front().span.lastSecs;
    for (const SpannedFile& f : files) {
        from = std::min(from, f.span.firstSecs);
        to = std::max(to, f.span.lastSecs);
    }
    const bool pdf = out.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive);
    // A4 landscape in points, or pixels.
    LogPlotFrame frame;
    if (pdf) frame = {842, 595, 60, 40, 24, 48};
    LogPlotColumns columns(from, to, static_cast<int>(frame.plotWidth()));
    for (const SpannedFile& f : files)
        if (const QString why =
                forEachLogRow(f.path, [&](const ParsedLogRow& r) { columns.add(r); });
            !why.isEmpty())
            return fail(f.path, why);
    const QString title =
        QStringLiteral("KM905 log: %1%2, %3 rows")
            .arg(QFileInfo(files.front().path).fileName(),
                 files.size() > 1
                     ? QStringLiteral(" to %1").arg(QFileInfo(files.back().path).fileName())
                     : QString())
            .arg(columns.rows());
    const Drawing drawing = logPlotDrawing(columns, frame, title);
    const std::optional<QByteArray> bytes =
        pdf ? pdfBytes(drawing, title) : pngBytes(drawing, frame);
    if (!bytes) return fail(out, QStringLiteral("cannot be drawn"));
    const WriteResult written = writeFilesTogether({{out, *bytes}});
    if (!written) return fail(out, QStringLiteral("cannot be written: %1").arg(written.reason));
    printLine(out);
    return kExitOk;
}
}  // namespace

int runPlot(const Arguments& args) {
    QCommandLineParser parser;
    const QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")}, QString(),
                                    QStringLiteral("OUT"));
    const QCommandLineOption force(QStringLiteral("force"), QString());
    parser.addOptions({output, force});
    if (const std::optional<int> done = parseSubcommand(parser, args)) return *done;
    const QStringList files = parser.positionalArguments();
    if (files.isEmpty()) return usageError(QStringLiteral("plot needs a FILE.csv"));
    const QString out = parser.value(output);
    if (!out.endsWith(QLatin1String(".png"), Qt::CaseInsensitive) &&
        !out.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        return usageError(QStringLiteral("plot needs -o OUT.png or -o OUT.pdf"));
    if (!parser.isSet(force) && QFileInfo::exists(out))
        return fail(out, QStringLiteral("already exists; --force replaces it"));
    return plot(files, out);
}

}  // namespace km905::cli
