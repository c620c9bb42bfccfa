// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>
#include <QApplication>
#include <QImage>
#include <map>

#include "LinkHarness.h"
#include "RecordingInteraction.h"
#include "ScratchFolders.h"
#include "core/model/TimeText.h"
#include "report/FontSetup.h"
#include "ui/app/CMainFrame.h"
#include "ui/realtime/CDTView.h"

namespace km905::test {

// Port 1 as the status bar names it: COM1 on Windows, the first USB serial device on Linux.
inline QString portOneDevice() {
#ifdef _WIN32
    return QStringLiteral("COM1");
#else
    return qEnvironmentVariable("KM905_DEV_DIR", "/dev") + "/ttyUSB0";
#endif
}

// The main window on the simulated meter and virtual time, with a data folder of its own.
struct UiHarness {
    explicit UiHarness(sim::Scenario s = sim::demoScenario(), int meterPort = 1)
        : meter(withVirtualClock(std::move(s))),
          comm(clock, meter, meterPort),
          frame(std::make_unique<CMainFrame>(
              FrameServices{comm, clock, bridges, ui, home.settings()})) {
        frame->resize(1280, 860);
        frame->show();
        settle();
    }
    // The meter's clock agrees with the virtual clock's start unless a test sets it.
    static sim::Scenario withVirtualClock(sim::Scenario s) {
        if (!s.clockStart) s.clockStart = MeterDateTime{2025, 12, 8, 9, 0, 0};
        return s;
    }
    // Virtual time passes, then the window catches up with its repaints.
    void advance(qint64 ms) {
        clock.advance(ms);
        settle();
    }
    static void settle() {
        for (int i = 0; i < 3; ++i) QApplication::processEvents();
    }
    Session& session() { return frame->session(); }
    QImage grabPanel() const;
    QImage grabView() const;

    ScratchHome home;  // the data folder in its Documents, as the program's on Linux
    VirtualClock clock;
    sim::MeterSimulator meter;
    sim::SimSerialControl comm;
    FakeBridgeList bridges;
    RecordingInteraction ui;
    std::unique_ptr<CMainFrame> frame;
};

int countPixels(const QImage& img, const QRect& area, const std::function<bool(QRgb)>& pred);
bool isRed(QRgb c);
bool isDark(QRgb c);
void saveShot(const QImage& img, const QString& name);  // into the build folder, to look at
// A key pressed and let go on a widget, as the keyboard delivers it to the focused one.
void pressKey(QWidget* w, int key, Qt::KeyboardModifiers mods = Qt::NoModifier);
// A key pressed in the active window as the window system delivers it: its shortcut first.
void pressShortcut(QWidget* window, int key, Qt::KeyboardModifiers modifiers);

}  // namespace km905::test
