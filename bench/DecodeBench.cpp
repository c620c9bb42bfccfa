// SPDX-License-Identifier: GPL-3.0-or-later
// One live frame through the receive event, display texts and statistics included.
#include <benchmark/benchmark.h>

#include "VirtualClock.h"
#include "core/session/Session.h"
#include "core/session/Unattended.h"

using namespace km905;

namespace {
class FrameSource : public ISerialControl {
  public:
    QByteArray frame;
    void SetCommPort(int) override {}
    int GetCommPort() const override { return 1; }
    void SetSettings(const QString&) override {}
    void SetPortOpen(bool) override {}
    bool GetPortOpen() const override { return true; }
    void SetInBufferCount(int) override {}
    int GetInBufferCount() const override { return 19; }
    void SetOutBufferCount(int) override {}
    int GetOutBufferCount() const override { return 0; }
    void SetInputLen(int) override {}
    void SetInputMode(int) override {}
    void SetRThreshold(int) override {}
    int GetRThreshold() const override { return 19; }
    QByteArray GetInput() override { return frame; }
    void SetOutput(const QByteArray&) override {}
    int GetCommEvent() const override { return kCommEventReceive; }
    void fire() { fireOnComm(); }
};
}  // namespace

static void BM_DecodeLiveFrame(benchmark::State& state) {
    VirtualClock clock;
    FrameSource comm;
    NoBridgeLookup bridges;
    NoUserInteraction dialogs;
    NoJournalFile journal;
    ILinkUi ui;
    Session session({comm, clock, bridges, dialogs, ui, &journal});
    const MeterModel& model = session.model();
    const uint8_t b[19] = {0xAA, 0xDD, 0,  0x26, 2,    0x12, 8, 9, 0x30, 0x45,
                           12,   34,   12, 34,   0x02, 0x04, 0, 0, 5};
    comm.frame = QByteArray(reinterpret_cast<const char*>(b), 19);
    for (auto _ : state) {
        comm.fire();
        benchmark::DoNotOptimize(model.view.m_lcdValue);
    }
}
BENCHMARK(BM_DecodeLiveFrame)->Unit(benchmark::kMicrosecond);
