// SPDX-License-Identifier: GPL-3.0-or-later
// km905-sim: a simulated KM905 meter on a pseudo-terminal.
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>

#include "PtyMeter.h"
#include "core/app/ProgramOptions.h"
#include "core/link/PortNames.h"

using namespace km905::sim;

namespace {
PtyMeter* g_line = nullptr;
void onSignal(int) {
    if (g_line) g_line->stop();
}

const char* const kDescription =
    "A simulated KM905 light meter on a pseudo-terminal, for running and testing the\n"
    "companion program without the meter.\n\n"
    "It creates a pseudo-terminal, links it as $KM905_DEV_DIR/ttyUSB<n-1> (KM905_DEV_DIR\n"
    "defaults to /dev), prints that path on the first line, then answers the program:\n"
    "0x11 with a live frame, 0x12 with the memory frame, 0x13 with the datalogger header\n"
    "and records, and acts on the key commands 0x87 0x83 k. Each command received is\n"
    "logged on standard output.\n\n"
    "Start the program with the same KM905_DEV_DIR and port number, for example:\n"
    "  KM905_DEV_DIR=/tmp/km905 km905-sim &   KM905_DEV_DIR=/tmp/km905 km905";

const char* const kDemo =
    "The demo: indoor light slowly varying around 390 lux (crossing the 400 lux range),\n"
    "four memory records and two datalogger records (lux and foot-candles).\n\n";
}  // namespace

int main(int argc, char** argv) {
    QCommandLineParser parser;
    const QCommandLineOption portOption(
        QStringLiteral("port"),
        QStringLiteral("Port number to appear as, 1 to 255 (default 1: ttyUSB0)."),
        QStringLiteral("N"), QStringLiteral("1"));
    const QCommandLineOption linkOption(QStringLiteral("link"),
                                        QStringLiteral("Link the pseudo-terminal at PATH instead."),
                                        QStringLiteral("PATH"));
    const QCommandLineOption scenarioOption(
        QStringLiteral("scenario"),
        QStringLiteral("Run a scenario file (default: the built-in demo)."),
        QStringLiteral("FILE"));
    const QCommandLineOption unpacedOption(
        QStringLiteral("unpaced"),
        QStringLiteral("Answer at once instead of at 9600 baud (1.04 ms a byte)."));
    const QCommandLineOption durationOption(QStringLiteral("duration"),
                                            QStringLiteral("Stop after SECS seconds."),
                                            QStringLiteral("SECS"), QStringLiteral("0"));
    const QCommandLineOption quietOption(QStringLiteral("quiet"),
                                         QStringLiteral("Do not log commands."));
    parser.addOptions(
        {portOption, linkOption, scenarioOption, unpacedOption, durationOption, quietOption});
    const km905::ProgramInfo info{"km905-sim", KM905_VERSION, QString::fromLatin1(kDescription),
                                  QString::fromLatin1(kDemo) + QString::fromLatin1(scenarioHelp())};
    if (const auto status =
            km905::parseProgramOptions(parser, km905::argumentList(argc, argv), info))
        return *status;
    const std::optional<int> port = km905::wholeNumberIn(parser.value(portOption), 1, 255);
    if (!port) return km905::optionError("km905-sim", QStringLiteral("--port must be 1..255."));
    bool secondsOk = false;
    const double duration = parser.value(durationOption).toDouble(&secondsOk);
    if (!secondsOk || duration < 0)
        return km905::optionError("km905-sim", QStringLiteral("--duration takes seconds."));
    QString link = parser.value(linkOption);
    const QString scenarioPath = parser.value(scenarioOption);
    const bool paced = !parser.isSet(unpacedOption);
    const bool quiet = parser.isSet(quietOption);

    QCoreApplication app(argc, argv);
    if (link.isEmpty()) {
        QDir().mkpath(km905::deviceDirectory());
        link = km905::portDeviceName(*port);
    }
    try {
        Scenario s = scenarioPath.isEmpty() ? demoScenario() : loadScenarioFile(scenarioPath);
        MeterSimulator meter(s);
        if (!quiet)
            meter.setLogger([](const QString& line) {
                std::printf("%s\n", qPrintable(line));
                std::fflush(stdout);
            });
        PtyMeter line(meter, link, paced);
        line.open();
        g_line = &line;
        std::signal(SIGINT, onSignal);
        std::signal(SIGTERM, onSignal);
        std::printf("%s\n", qPrintable(line.linkPath()));
        std::fflush(stdout);
        line.run(static_cast<qint64>(duration * 1000));
        g_line = nullptr;
        line.close();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "km905-sim: %s\n", e.what());
        return 1;
    }
    return 0;
}
