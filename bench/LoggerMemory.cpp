// SPDX-License-Identifier: GPL-3.0-or-later
// km905_logger_memory: what the datalogger window adds to the resident memory with a
// 33,000-sample graph at zoom level 99 and 100 files in its list. It measures and prints;
// it never fails a run (see README, Performance).
#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <cmath>
#include <cstdio>

#include "RecordingInteraction.h"
#include "core/files/GraphFile.h"
#include "core/logger/LoggerWindow.h"

using namespace km905;

namespace {
long residentKiB() {
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly)) return -1;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toLong() * 4 : -1;  // pages of 4 KiB
}
}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir home;
    const Settings settings(home.path());
    GraphRecord g;
    for (int i = 0; i < 33000; ++i)
        g.readings.push_back(static_cast<float>(200 + 150 * std::sin(i / 50.0)));
    g.headerCount = 33000;
    g.start = {2026, 12, 8, 9, 0, 0};
    g.rateSecs = 1;
    const QString path = home.filePath(QStringLiteral("big.AsmDat"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(writeGraphFile(g)) < 0) return 1;
    file.close();

    auto model = std::make_unique<MeterModel>();  // the program has it before the window opens
    model->view.m_logFromFile = 1;
    test::RecordingInteraction ui;
    const long before = residentKiB();
    {
        LoggerWindow window(*model, ui, settings);
        for (int n = 0; n < 100; ++n) {
            ui.fileAnswers = {path};
            window.openGraph();
            window.syncList();
        }
        const ClientRect client{0, 0, 1000, 570};
        const PlotRect plot = loggerPlotRect(client);
        for (int level = 0; level < kMaxZoomLevel; ++level) {
            const int right = level < 5 ? (plot.left + plot.right) / 2 : plot.right;
            window.leftDown(plot.left, plot.top, client);
            window.mouseMove(right, plot.bottom, client);
            window.leftUp(right, plot.bottom, client);
        }
        window.prepareScroll(client);
        const LoggerGraphPicture picture = window.picture(client);
        const long after = residentKiB();
        std::printf("files in the list: %zu, zoom level: %d, curve lines: %zu\n",
                    window.rows().size(), window.zoomState().g_zoomLevel(), picture.curve.size());
        std::printf("resident memory added by the window: %.1f MiB (goal: at most 32 MB)\n",
                    (after - before) / 1024.0);
    }
    return 0;
}
