// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QStringList>
#include <optional>

#include "LinkHarness.h"
#include "core/link/SerialControl.h"

namespace km905::test {

// A serial control that logs every property access and delivers what a test hands it.
class FakeSerial : public ISerialControl {
  public:
    QStringList ops;
    QByteArray buffer;
    bool open = false;
    int port = 1;
    int threshold = 0;
    int commEvent = kCommEventReceive;
    std::optional<SerialError> failOpen;  // raised by the next opens
    std::vector<QByteArray> sent;

    void SetCommPort(int p) override {
        ops << QStringLiteral("CommPort=%1").arg(p);
        port = p;
    }
    int GetCommPort() const override { return port; }
    void SetSettings(const QString& s) override { ops << "Settings=" + s; }
    void SetPortOpen(bool o) override {
        if (o && failOpen) {
            ops << "PortOpen=1 failed";
            throw *failOpen;
        }
        ops << QStringLiteral("PortOpen=%1").arg(o ? 1 : 0);
        open = o;
        if (!o) buffer.clear();
    }
    bool GetPortOpen() const override { return open; }
    void SetInBufferCount(int c) override {
        ops << QStringLiteral("InBufferCount=%1").arg(c);
        if (c == 0) buffer.clear();
    }
    int GetInBufferCount() const override { return static_cast<int>(buffer.size()); }
    void SetOutBufferCount(int c) override { ops << QStringLiteral("OutBufferCount=%1").arg(c); }
    int GetOutBufferCount() const override { return 0; }
    void SetInputLen(int l) override { ops << QStringLiteral("InputLen=%1").arg(l); }
    void SetInputMode(int m) override { ops << QStringLiteral("InputMode=%1").arg(m); }
    void SetRThreshold(int t) override {
        ops << QStringLiteral("RThreshold=%1").arg(t);
        threshold = t;
    }
    int GetRThreshold() const override { return threshold; }
    QByteArray GetInput() override {
        ops << "Input";
        QByteArray out;
        out.swap(buffer);
        return out;
    }
    void SetOutput(const QByteArray& b) override {
        ops << "Output=" + QString::fromLatin1(b.toHex(' '));
        sent.push_back(b);
    }
    int GetCommEvent() const override { return commEvent; }

    // Bytes arrive and the receive event fires, whatever the threshold.
    void deliver(const QByteArray& b) {
        buffer.append(b);
        fireOnComm();
    }
};

// The session over a FakeSerial on virtual time; nothing started.
struct FakeLink {
    FakeLink()
        : session({comm, clock, bridges, dialogs, ui, &journal}),
          model(session.model()),
          link(session.link()) {
        comm.open = true;
    }
    VirtualClock clock;
    FakeSerial comm;
    RecordingUi ui;
    FakeBridgeList bridges;
    RecordingInteraction dialogs;
    MemoryJournalFile journal;
    Session session;
    MeterModel& model;
    MeterLink& link;

    void frame(const FrameSpec& s) { comm.deliver(liveFrame(s)); }
    const ViewState& view() const { return model.view; }
};

}  // namespace km905::test
