// SPDX-License-Identifier: GPL-3.0-or-later
// km905_screenshots DIR: the pictures of the program's AppStream page, written into DIR as
// main-window.png and datalogger-window.png. The program's windows run offscreen against the
// simulated meter on virtual time, so a recording of minutes takes a moment and every run
// draws the same pictures.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTableWidget>
#include <QTemporaryDir>
#include <cstdio>

#include "LinkHarness.h"
#include "RecordingInteraction.h"
#include "report/FontSetup.h"
#include "ui/app/CMainFrame.h"
#include "ui/logger/CLoggerGraphDlg.h"

using namespace km905;

namespace {

// The demo meter, its light kept inside the 400 lux range so that the graph keeps one scale.
sim::Scenario scenario() {
    sim::Scenario s = sim::demoScenario();
    s.level.base = 240;
    s.level.amplitude = 110;
    s.level.periodSecs = 80;
    return s;
}

struct Meter {
    VirtualClock clock;
    sim::MeterSimulator meter{scenario()};
    sim::SimSerialControl comm{clock, meter};
    test::FakeBridgeList bridges;
    test::RecordingInteraction ui;
};

// Virtual time passes in steps, the windows repainting after each as they would.
void advance(VirtualClock& clock, qint64 ms, qint64 step) {
    for (qint64 t = 0; t < ms; t += step) {
        clock.advance(step);
        for (int i = 0; i < 3; ++i) QApplication::processEvents();
    }
}

bool save(QWidget* w, const QString& path) {
    if (w->grab().save(path)) return true;
    std::fprintf(stderr, "km905_screenshots: cannot write %s\n", qPrintable(path));
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "Usage: km905_screenshots DIR\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // A data folder of its own: the user's settings and journal are neither read nor changed.
    const test::ScratchData data;
    QApplication app(argc, argv);
    installFontSubstitutions();
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(out.path())) return 1;
    // A Y axis from 80 to 480 lux, where the demo's light lies.
    QFile ini(data.settings().iniPath());
    if (!ini.open(QIODevice::WriteOnly) ||
        ini.write("[YGAINInfo]\r\nGAIN num=1\r\n[YOFFSETInfo]\r\nOFFSET num=1\r\n") < 0)
        return 1;
    ini.close();

    Meter m;
    CMainFrame frame({m.comm, m.clock, m.bridges, m.ui, data.settings()});
    frame.resize(1280, 860);
    frame.show();
    advance(m.clock, 2000, 100);
    // Two and a half minutes of slowly varying light, sampled every second.
    m.ui.rateAnswers = {1};
    frame.trigger(kCmdRun);
    advance(m.clock, 150000, 500);
    frame.trigger(kCmdStop);
    advance(m.clock, 200, 100);
    if (!save(&frame, out.filePath(QStringLiteral("main-window.png")))) return 1;

    frame.trigger(kCmdDataLogger);
    for (int t = 0; t < 120000 && !frame.loggerWindow(); t += 20) advance(m.clock, 20, 20);
    CLoggerGraphDlg* logger = frame.loggerWindow();
    if (!logger || logger->list()->rowCount() == 0) {
        std::fprintf(stderr, "km905_screenshots: the datalogger window did not open\n");
        return 1;
    }
    emit logger->list()->cellDoubleClicked(0, 0);
    advance(m.clock, 200, 100);
    if (!save(logger, out.filePath(QStringLiteral("datalogger-window.png")))) return 1;

    logger->close();
    m.ui.answers = {false};  // the recording is not saved on closing
    frame.close();
    std::printf("%s\n%s\n", qPrintable(out.filePath(QStringLiteral("main-window.png"))),
                qPrintable(out.filePath(QStringLiteral("datalogger-window.png"))));
    return 0;
}
