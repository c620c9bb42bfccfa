// SPDX-License-Identifier: GPL-3.0-or-later
// report: a memory list's lighting survey as a PDF, the same as the window's Report...
#include <QDateTime>
#include <QFileInfo>
#include <QGuiApplication>

#include "Commands.h"
#include "Report.h"
#include "RequirementOption.h"
#include "RuntimeFolder.h"
#include "SurveyList.h"
#include "core/files/SafeFile.h"
#include "core/survey/GridSizing.h"
#include "core/survey/SurveyReport.h"
#include "report/FontSetup.h"
#include "report/SurveyReportPdf.h"

namespace km905::cli {

std::unique_ptr<QCoreApplication> makeApplication(int& argc, char** argv) {
    if (argc < 2 || (qstrcmp(argv[1], "report") != 0 && qstrcmp(argv[1], "plot") != 0))
        return std::make_unique<QCoreApplication>(argc, argv);
    // Drawing text (report, plot) needs Qt Gui's application; without a display it draws offscreen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    ensureRuntimeFolder();
    useSystemFontsWhenOffscreen();
    auto app = std::make_unique<QGuiApplication>(argc, argv);
    installFontSubstitutions();
    return app;
}

int runReport(const Arguments& args) {
    QCommandLineParser parser;
    auto valued = [](const char* name, const char* what) {
        return QCommandLineOption(QLatin1String(name), QString(), QLatin1String(what));
    };
    const QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")}, QString(),
                                    QStringLiteral("REPORT"));
    const QCommandLineOption grid = valued("grid", "CxR");
    const QCommandLineOption title = valued("title", "TEXT");
    const QCommandLineOption site = valued("site", "TEXT");
    const QCommandLineOption notes = valued("notes", "TEXT");
    const QCommandLineOption paper = valued("paper", "PAPER");
    const QCommandLineOption room = valued("room", "LxW");
    const QCommandLineOption height = valued("height", "H");
    const QCommandLineOption meter = valued("meter", "ID");
    const QCommandLineOption force(QStringLiteral("force"), QString());
    const RequirementOptions required;
    parser.addOptions({output, grid, title, site, notes, paper, room, height, meter, force});
    required.addTo(parser);
    if (const std::optional<int> done = parseSubcommand(parser, args)) return *done;
    const QStringList files = parser.positionalArguments();
    if (files.size() != 1) return usageError(QStringLiteral("report needs one FILE.MemDat"));
    const QString out = parser.value(output);
    if (out.isEmpty()) return usageError(QStringLiteral("report needs -o REPORT.pdf"));
    std::optional<GridShape> shape;
    if (parser.isSet(grid)) {
        shape = parseGridShape(parser.value(grid));
        if (!shape)
            return usageError(
                QStringLiteral("--grid is COLUMNSxROWS (1 to 99 each), then 'serpentine' if the "
                               "points were walked so, not '%1'")
                    .arg(parser.value(grid)));
    }
    PaperSize size = paperSizeFor(QLocale::system().territory());
    const QString paperName = parser.value(paper).toLower();
    if (paperName == QLatin1String("a4"))
        size = PaperSize::A4;
    else if (paperName == QLatin1String("letter"))
        size = PaperSize::Letter;
    else if (!paperName.isEmpty())
        return usageError(QStringLiteral("--paper is a4 or letter, not '%1'").arg(paperName));

    std::optional<SurveyRequirement> requirement;
    if (!readRequirement(parser, required, requirement)) return kExitUsage;
    ReportDetails details{parser.value(title), parser.value(site), parser.value(notes)};
    details.meterId = parser.value(meter);
    if (parser.isSet(room)) {
        const std::optional<std::pair<double, double>> lw = parseRoomSize(parser.value(room));
        if (!lw)
            return usageError(QStringLiteral("--room is LENGTHxWIDTH in metres, as 8x6.5; not '%1'")
                                  .arg(parser.value(room)));
        details.roomLength = lw->first;
        details.roomWidth = lw->second;
    }
    if (parser.isSet(height)) {
        bool ok = false;
        details.planeHeight = QLocale::c().toDouble(parser.value(height), &ok);
        if (!ok || !(details.planeHeight > 0) || details.planeHeight >= 1e4)
            return usageError(QStringLiteral("--height is the working plane's height in metres, "
                                             "as 0.8; not '%1'")
                                  .arg(parser.value(height)));
    }

    int status = kExitOk;
    const std::optional<CDTDoc> doc = readSurveyList(files.first(), &status);
    if (!doc) return status;
    if (QFileInfo(out) == QFileInfo(files.first()))
        return fail(out, QStringLiteral("refusing to overwrite the list itself"));
    if (!parser.isSet(force) && QFileInfo::exists(out))
        return fail(out, QStringLiteral("already exists; --force replaces it"));
    const std::optional<QByteArray> pdf = surveyReportPdf(surveyReport(surveyReportInput(
        *doc, shape, details, QDateTime::currentSecsSinceEpoch(), size, requirement)));
    if (!pdf) return fail(out, QStringLiteral("the report could not be drawn"));
    const WriteResult written = writeFilesTogether({{out, *pdf}});
    if (!written) return fail(out, QStringLiteral("cannot be written: %1").arg(written.reason));
    printLine(out);
    return kExitOk;
}

}  // namespace km905::cli
