// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <vector>

#include "MeterSimulator.h"
#include "VirtualClock.h"
#include "core/link/SerialControl.h"

namespace km905::sim {

// The serial control connected in memory to a simulated meter on virtual time. The line
// runs at 9600 baud: each answer byte arrives about 1.04 ms after the previous one, grouped
// into chunks the way a USB bridge hands them over.
class SimSerialControl : public ISerialControl {
  public:
    SimSerialControl(VirtualClock& clock, MeterSimulator& meter, int meterPort = 1);

    void SetCommPort(int port) override;
    int GetCommPort() const override { return m_port; }
    void SetSettings(const QString& settings) override { m_settings = settings; }
    void SetPortOpen(bool open) override;
    bool GetPortOpen() const override { return m_open; }
    void SetInBufferCount(int count) override;
    int GetInBufferCount() const override { return static_cast<int>(m_inBuffer.size()); }
    void SetOutBufferCount(int) override {}
    int GetOutBufferCount() const override { return 0; }
    void SetInputLen(int len) override { m_inputLen = len; }
    void SetInputMode(int mode) override { m_inputMode = mode; }
    void SetRThreshold(int threshold) override;
    int GetRThreshold() const override { return m_threshold; }
    QByteArray GetInput() override;
    void SetOutput(const QByteArray& bytes) override;
    int GetCommEvent() const override { return kCommEventReceive; }
    QString lastOpenError() const override { return m_lastOpenError; }

    // Chunk sizes in which answers arrive, used in turn (empty: byte by byte at line speed
    // would be slow, so the default is 64-byte chunks).
    void setChunkPattern(std::vector<int> sizes) { m_chunks = std::move(sizes); }
    void setMeterPort(int port) { m_meterPort = port; }
    void unplug();
    void replug() { m_unplugged = false; }
    bool unplugged() const;
    void setOpenError(SerialErrorKind kind, const QString& text);  // next opens fail
    void clearOpenError() { m_openError.reset(); }

    const std::vector<QByteArray>& sent() const { return m_sent; }
    const std::vector<int>& eventSizes() const { return m_eventSizes; }
    const QString& settings() const { return m_settings; }
    int inputMode() const { return m_inputMode; }
    int inputLen() const { return m_inputLen; }
    void clearHistory() {
        m_sent.clear();
        m_eventSizes.clear();
    }

  private:
    void arrive(const QByteArray& chunk, uint64_t session);
    void checkThreshold();

    VirtualClock& m_clock;
    MeterSimulator& m_meter;
    qint64 m_startMs;
    int m_meterPort;
    int m_port = 1;
    bool m_open = false;
    bool m_unplugged = false;
    uint64_t m_session = 0;  // bytes in flight are lost when the port closes
    qint64 m_lineFreeAt = 0;
    QByteArray m_inBuffer;
    int m_threshold = 0;
    int m_inputLen = 0;
    int m_inputMode = 0;
    QString m_settings;
    std::vector<int> m_chunks{64};
    size_t m_chunkIndex = 0;
    std::optional<std::pair<SerialErrorKind, QString>> m_openError;
    std::vector<QByteArray> m_sent;
    std::vector<int> m_eventSizes;
    bool m_inEvent = false;
    QString m_lastOpenError;
};

}  // namespace km905::sim
