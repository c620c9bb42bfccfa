// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary bytes into the receive event, in every decoder state.
#include <cstddef>
#include <cstdint>

#include "VirtualClock.h"
#include "core/link/MeterLink.h"

using namespace km905;

namespace {
class FuzzSerial : public ISerialControl {
  public:
    QByteArray buffer;
    int threshold = 19;
    void SetCommPort(int) override {}
    int GetCommPort() const override { return 1; }
    void SetSettings(const QString&) override {}
    void SetPortOpen(bool) override {}
    bool GetPortOpen() const override { return true; }
    void SetInBufferCount(int) override { buffer.clear(); }
    int GetInBufferCount() const override { return static_cast<int>(buffer.size()); }
    void SetOutBufferCount(int) override {}
    int GetOutBufferCount() const override { return 0; }
    void SetInputLen(int) override {}
    void SetInputMode(int) override {}
    void SetRThreshold(int t) override { threshold = t; }
    int GetRThreshold() const override { return threshold; }
    QByteArray GetInput() override {
        QByteArray out;
        out.swap(buffer);
        return out;
    }
    void SetOutput(const QByteArray&) override {}
    int GetCommEvent() const override { return kCommEventReceive; }
    void deliver(const uint8_t* d, size_t n) {
        buffer.append(reinterpret_cast<const char*>(d), static_cast<qsizetype>(n));
        fireOnComm();
    }
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    VirtualClock clock;
    FuzzSerial comm;
    // A fresh model each run, copied over the last one: allocating its large arrays anew
    // would cost more than the run itself.
    static const MeterModel pristine;
    static MeterModel model;
    model = pristine;
    ILinkUi ui;
    MeterLink link(model, comm, clock, ui);
    clock.setHandler(TimerOwner::MainFrame, [&](int id) { link.onTimer(id); });

    // First byte: the state to start in and the recording counters; second: chunk size.
    const uint8_t mode = data[0];
    const size_t chunk = 1 + data[1] * 37u;
    model.view.m_batteryText = QStringLiteral("Normal");
    model.view.m_linkDown = 0;
    switch (mode & 3) {
        case 0:
            break;  // live
        case 1:
            link.startMemDownload();
            break;
        case 2:
            link.startLogDownload();
            break;
        case 3:
            link.startMemDownload();
            link.startLogDownload();  // both at once: nothing may clash
            break;
    }
    if (mode & 4) {
        model.view.m_sampleIndex = kReadingsCapacity - 1 - (mode >> 3);
        model.rec.run();
    }
    if (mode & 8) model.view.m_frameCount = kFrameSlotCapacity;
    data += 2;
    size -= 2;
    (void)parseLogStream(data, size);
    (void)decodeMemoryFrame(data, size);
    (void)findLiveFrame(data, size);
    while (size > 0) {
        const size_t n = size < chunk ? size : chunk;
        comm.deliver(data, n);
        clock.advance(7);
        data += n;
        size -= n;
    }
    return 0;
}
