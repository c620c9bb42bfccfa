// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QObject>
#include <memory>

#include "core/link/SerialControl.h"

class QTimer;
class QWinEventNotifier;

namespace km905 {

// The serial control on the Win32 communications API: \\.\COMn opened for overlapped I/O, a
// wait on EV_RXCHAR watched from the event loop (or a read timer where the driver's wait fails),
// and the receive event raised once at least RThreshold bytes are buffered.
class CMSComm : public QObject, public ISerialControl {
    Q_OBJECT
  public:
    explicit CMSComm(QObject* parent = nullptr);
    ~CMSComm() override;

    void SetCommPort(int port) override;
    int GetCommPort() const override { return m_port; }
    void SetSettings(const QString& settings) override;
    void SetPortOpen(bool open) override;
    bool GetPortOpen() const override;
    void SetInBufferCount(int count) override;
    int GetInBufferCount() const override;
    void SetOutBufferCount(int count) override;
    int GetOutBufferCount() const override;
    void SetInputLen(int len) override { m_inputLen = len; }
    void SetInputMode(int mode) override { m_inputMode = mode; }
    void SetRThreshold(int threshold) override;
    int GetRThreshold() const override { return m_threshold; }
    QByteArray GetInput() override;
    void SetOutput(const QByteArray& bytes) override;
    int GetCommEvent() const override { return m_commEvent; }

    QString lastOpenError() const override { return m_lastOpenError; }

  private:
    struct Port;
    void requireOpen() const;
    void applySettings();
    void armWait();
    void onWaitDone();
    void drain() const;
    void closePort();
    void scheduleCheck();
    void check();

    // A frame of 19 bytes takes 20 ms at 9600 baud.
    static constexpr int kReadIntervalMs = 10;

    std::unique_ptr<Port> m_p;
    QWinEventNotifier* m_notifier = nullptr;
    QTimer* m_readTimer = nullptr;  // reads when the driver's wait does not work
    int m_port = 1;
    int m_baud = 9600;
    char m_parity = 'n';
    int m_dataBits = 8;
    int m_stopBits = 1;
    int m_threshold = 0;
    int m_inputLen = 0;
    int m_inputMode = 1;
    int m_commEvent = 0;
    bool m_checkQueued = false;
    bool m_inEvent = false;
    mutable QByteArray m_in;  // taken from the driver, not yet read through Input
    QString m_lastOpenError;
};

}  // namespace km905
