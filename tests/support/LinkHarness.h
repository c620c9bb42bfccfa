// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QStringList>
#include <initializer_list>

#include <map>

#include "MemoryJournalFile.h"
#include "MeterSimulator.h"
#include "RecordingInteraction.h"
#include "SimSerialControl.h"
#include "VirtualClock.h"
#include "core/link/MeterLink.h"
#include "core/session/Session.h"

namespace km905::test {

// A meter reading one steady light level.
inline sim::Scenario steadyScenario(double lux) {
    sim::Scenario s;
    s.level.kind = sim::LevelCurve::Kind::Constant;
    s.level.base = lux;
    return s;
}

// Records what the link asked of the windows.
struct RecordingUi : ILinkUi {
    QStringList messages;
    int lcdRepaints = 0, faceRepaints = 0, viewUpdates = 0, infoTransfers = 0;
    int progressRepaints = 0, progressOpens = 0;
    void repaintLcd() override { ++lcdRepaints; }
    void repaintFace() override { ++faceRepaints; }
    void updateAllViews() override { ++viewUpdates; }
    void transferInfoBar() override { ++infoTransfers; }
    void repaintProgress() override { ++progressRepaints; }
    void openProgressWindow() override { ++progressOpens; }
    void showMessage(const QString& t) override { messages << t; }
};

// The meter's bridges where a test puts them: slot -> port number.
struct FakeBridgeList : IBridgeLookup {
    std::map<int, int> bySlot;
    std::optional<int> bridgePort(int slot) const override {
        auto it = bySlot.find(slot);
        if (it == bySlot.end()) return std::nullopt;
        return it->second;
    }
};

// The session wired to the in-memory meter on virtual time; nothing started.
struct LinkHarness {
    explicit LinkHarness(sim::Scenario s = sim::demoScenario())
        : meter(std::move(s)),
          comm(clock, meter),
          session({comm, clock, bridges, dialogs, ui, &journal}),
          model(session.model()),
          link(session.link()) {
        comm.SetSettings("9600,n,8,1");
    }
    VirtualClock clock;
    sim::MeterSimulator meter;
    sim::SimSerialControl comm;
    RecordingUi ui;
    FakeBridgeList bridges;
    RecordingInteraction dialogs;
    MemoryJournalFile journal;
    Session session;
    MeterModel& model;
    MeterLink& link;
};

// A live frame built byte by byte.
struct FrameSpec {
    int measured = 2500;
    int displayed = 2500;
    uint8_t statusA = 0x02;  // range 2, lux
    uint8_t statusB = 0x00;
    uint8_t mem1 = 0, mem2 = 0;
    uint8_t year = 0x26, aux = 0x02, month = 0x12, day = 0x08, hour = 0x09, minute = 0x30,
            second = 0x45, sampling = 0x05;
};

inline QByteArray liveFrame(const FrameSpec& s) {
    const uint8_t b[19] = {0xAA,
                           0xDD,
                           0x00,
                           s.year,
                           s.aux,
                           s.month,
                           s.day,
                           s.hour,
                           s.minute,
                           s.second,
                           static_cast<uint8_t>(s.measured / 100),
                           static_cast<uint8_t>(s.measured % 100),
                           static_cast<uint8_t>(s.displayed / 100),
                           static_cast<uint8_t>(s.displayed % 100),
                           s.statusA,
                           s.statusB,
                           s.mem1,
                           s.mem2,
                           s.sampling};
    return QByteArray(reinterpret_cast<const char*>(b), 19);
}

inline QByteArray bytes(std::initializer_list<int> v) {
    QByteArray out;
    for (int b : v) out.append(static_cast<char>(b));
    return out;
}

}  // namespace km905::test
