// SPDX-License-Identifier: GPL-3.0-or-later
// km905: the desktop companion program of the KM905 light meter.
#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>

#include "CMSComm.h"
#include "app/CMainFrame.h"
#include "app/FontSetup.h"
#include "app/ProgramOptions.h"
#include "app/QtUserInteraction.h"
#include "app/QuitSignals.h"
#include "link/QtTimerService.h"

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

const char* const kMoreHelp =
#ifdef Q_OS_WIN
    "Port N is COMN. Without --port the program uses the port kept in its settings file,\n"
    "Documents\\KM905\\KM905.ini, and looks for the meter when devices come and go.\n";
#else
    "Port N is /dev/ttyUSB(N-1); the meter's CP210x cable is usually port 1. Without --port\n"
    "the program uses the port kept in its settings file, ~/Documents/KM905/KM905.ini, and\n"
    "looks for the meter when serial devices come and go.\n"
    "\n"
    "Environment:\n"
    "  KM905_DEV_DIR   folder that stands for /dev in port names, for the simulated meter\n"
    "                  of km905-sim\n";
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
        QStringLiteral("The desktop companion of the KM905 datalogging light meter: it shows the "
                       "meter's display,\nrecords a real-time graph, downloads the meter's "
                       "memory and datalogger records,\nsaves and prints them."),
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
    km905::QtUserInteraction ui(nullptr);
    km905::CMainFrame frame({comm, timers, *bridges, ui, port});
    ui.setParent(&frame);
    km905::onQuitSignals(&frame, [&frame] { frame.close(); });
    frame.showMaximized();
    // The graph and list files the program was opened with show once the window is up.
    if (const QStringList files = km905::givenFiles(parser); !files.isEmpty())
        QTimer::singleShot(0, &frame, [&frame, files] { frame.openGivenFiles(files); });
    return app.exec();
}
