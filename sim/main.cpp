// km905-sim: a simulated KM905 meter on a pseudo-terminal.
#include <QCoreApplication>
#include <QDir>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>

#include "PtyMeter.h"
#include "link/PortNames.h"

using namespace km905::sim;

namespace {
PtyMeter* g_line = nullptr;
void onSignal(int) {
    if (g_line) g_line->stop();
}

void usage() {
    std::printf(
        "Usage: km905-sim [options]\n"
        "A simulated KM905 light meter on a pseudo-terminal, for running and testing the\n"
        "companion program without the meter.\n\n"
        "It creates a pseudo-terminal, links it as $KM905_DEV_DIR/ttyUSB<n-1> (KM905_DEV_DIR\n"
        "defaults to /dev), prints that path on the first line, then answers the program:\n"
        "0x11 with a live frame, 0x12 with the memory frame, 0x13 with the datalogger header\n"
        "and records, and acts on the key commands 0x87 0x83 k. Each command received is\n"
        "logged on standard output.\n\n"
        "Start the program with the same KM905_DEV_DIR and port number, for example:\n"
        "  KM905_DEV_DIR=/tmp/km905 km905-sim &   KM905_DEV_DIR=/tmp/km905 km905\n\n"
        "Options:\n"
        "  --port N          port number to appear as (default 1: ttyUSB0)\n"
        "  --link PATH       link the pseudo-terminal at PATH instead\n"
        "  --scenario FILE   run a scenario file (default: the built-in demo)\n"
        "  --unpaced         answer at once instead of at 9600 baud (1.04 ms a byte)\n"
        "  --duration SECS   stop after SECS seconds\n"
        "  --quiet           do not log commands\n"
        "  --help            this text\n\n"
        "The demo: indoor light slowly varying around 390 lux (crossing the 400 lux range),\n"
        "four memory records and two datalogger records (lux and foot-candles).\n\n%s",
        scenarioHelp());
}
}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    int port = 1;
    QString link;
    QString scenarioPath;
    bool paced = true;
    bool quiet = false;
    double duration = 0;
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        const QString& a = args[i];
        auto value = [&]() -> QString {
            if (i + 1 >= args.size()) {
                std::fprintf(stderr, "km905-sim: %s needs a value\n", qPrintable(a));
                std::exit(2);
            }
            return args[++i];
        };
        if (a == "--help" || a == "-h") {
            usage();
            return 0;
        } else if (a == "--port") {
            port = value().toInt();
        } else if (a == "--link") {
            link = value();
        } else if (a == "--scenario") {
            scenarioPath = value();
        } else if (a == "--unpaced") {
            paced = false;
        } else if (a == "--duration") {
            duration = value().toDouble();
        } else if (a == "--quiet") {
            quiet = true;
        } else {
            std::fprintf(stderr, "km905-sim: unknown option %s (see --help)\n", qPrintable(a));
            return 2;
        }
    }
    if (port < 1 || port > 255) {
        std::fprintf(stderr, "km905-sim: --port must be 1..255\n");
        return 2;
    }
    if (link.isEmpty()) {
        QDir().mkpath(km905::deviceDirectory());
        link = km905::portDeviceName(port);
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
