// SPDX-License-Identifier: GPL-3.0-or-later
// km905: the desktop companion program of the KM905 light meter.
#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>

#include "core/app/ProgramOptions.h"
#include "core/app/QuitSignals.h"
#include "core/link/QtTimerService.h"
#include "report/FontSetup.h"
#include "serial/CMSComm.h"
#include "ui/app/CMainFrame.h"
#include "ui/app/QtUserInteraction.h"

#ifdef Q_OS_WIN
#include <windows.h>

#include <cstdio>
#endif

namespace {

// Qt's own options, which QApplication takes out of the command line later: accepted here
// so that they are not refused as unknown (a session manager restarts with -session).
void acceptQtOptions(QCommandLineParser& parser) {
    for (const char* name :
         {"platform", "platformpluginpath", "platformtheme", "plugin", "display", "session",
          "style", "stylesheet", "qwindowgeometry", "geometry", "qwindowtitle", "qwindowicon"}) {
        QCommandLineOption o(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        o.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(o);
    }
    for (const char* name : {"reverse", "widgetcount"}) {
        QCommandLineOption o(QString::fromLatin1(name), QString());
        o.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(o);
    }
}

// Laid out as help2man reads it (Files, Environment, Exit status), so the manual page is made
// from the help alone.
const char* const kMoreHelp =
#ifdef Q_OS_WIN
    "Port N is COMN. Without --port the program uses the port kept in its settings file,\n"
    "Documents\\KM905\\KM905.ini, and looks for the meter when devices come and go.\n";
#else
    "A graph file (.AsmDat) given opens in the datalogger window, a memory list file\n"
    "(.MemDat) in the memory list window, as File > Open opens them.\n"
    "\n"
    "Port N is /dev/ttyUSB(N-1); the meter's CP210x cable is usually port 1. Without\n"
    "--port the program uses the port kept in its settings file and looks for the\n"
    "meter when serial devices come and go.\n"
    "\n"
    "Exit status:\n"
    "  0                   the program was closed\n"
    "  2                   a wrong command line\n"
    "\n"
    "Environment:\n"
    "  KM905_DEV_DIR       the folder that stands for /dev in port names, for the\n"
    "                      simulated meter of km905-sim\n"
    "  XDG_CONFIG_HOME     where user-dirs.dirs names the documents folder\n"
    "                      (XDG_DOCUMENTS_DIR; default: ~/Documents)\n"
    "\n"
    "Files:\n"
    "  ~/Documents/KM905/  the data folder, in the documents folder: where Save and\n"
    "                      Open start, and where a report printed to a PDF goes\n"
    "  ~/Documents/KM905/KM905.ini\n"
    "                      the settings file: the meter's port, the graph's Y scale,\n"
    "                      the survey grids and the last report's details\n"
    "  ~/Documents/KM905/KM905-recording.journal\n"
    "                      every sample of the recording that runs; after a crash or\n"
    "                      power cut the next start offers to restore the recording\n";
#endif

#ifdef Q_OS_WIN
// A windowed program starts without a console: --help and --version write to the console it
// was started from, unless their output already goes somewhere.
void useParentConsole() {
    if (GetFileType(GetStdHandle(STD_OUTPUT_HANDLE)) != FILE_TYPE_UNKNOWN) return;
    if (!AttachConsole(ATTACH_PARENT_PROCESS)) return;
    (void)std::freopen("CONOUT$", "w", stdout);
    (void)std::freopen("CONOUT$", "w", stderr);
}
#endif

}  // namespace

int main(int argc, char** argv) {
#ifdef Q_OS_WIN
    if (argc > 1) useParentConsole();
#endif
    // Before QApplication, which needs a display: --help and --version work without one.
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption portOption(
        QStringLiteral("port"),
        QStringLiteral("Use serial port N (1 to 255) for this run; the settings file keeps its "
                       "own port."),
        QStringLiteral("N"));
    parser.addOption(portOption);
    acceptQtOptions(parser);
    const km905::ProgramInfo info{
        "km905", KM905_VERSION,
        QStringLiteral("The desktop companion of the KM905 datalogging light meter: it shows\n"
                       "the meter's display, records a real-time graph, downloads the meter's\n"
                       "memory and datalogger records, saves and prints them."),
        QString::fromLatin1(kMoreHelp),
        QStringLiteral("Graph files (.AsmDat) to open in the datalogger window, list files "
                       "(.MemDat) in the memory list window.")};
    if (const auto status =
            km905::parseProgramOptions(parser, km905::argumentList(argc, argv), info))
        return *status;
    std::optional<int> port;
    if (parser.isSet(portOption)) {
        port = km905::wholeNumberIn(parser.value(portOption), 1, 255);
        if (!port)
            return km905::optionError("km905",
                                      QStringLiteral("--port takes a number from 1 to 255."));
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KM905"));
    QApplication::setApplicationVersion(QStringLiteral(KM905_VERSION));
    QApplication::setDesktopFileName(QStringLiteral(KM905_APP_ID));
    km905::installFontSubstitutions();
    km905::CMSComm comm;
    km905::QtTimerService timers;
    const auto bridges = km905::makeSystemBridgeLookup();
    const km905::Settings settings = km905::Settings::fromEnvironment();
    km905::QtUserInteraction ui(nullptr, settings);
    km905::CMainFrame frame({comm, timers, *bridges, ui, settings, port});
    ui.setParent(&frame);
    km905::onQuitSignals(&frame, [&frame] { frame.close(); });
    frame.showMaximized();
    // The graph and list files the program was opened with show once the window is up.
    if (const QStringList files = km905::givenFiles(parser); !files.isEmpty())
        QTimer::singleShot(0, &frame, [&frame, files] { frame.openGivenFiles(files); });
    return app.exec();
}
