// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QSerialPort>

#include "core/link/SerialControl.h"

namespace km905 {

// The serial control on QSerialPort. The receive event is raised from the event loop once
// at least RThreshold bytes are buffered.
class CMSComm : public QObject, public ISerialControl {
    Q_OBJECT
  public:
    explicit CMSComm(QObject* parent = nullptr);
    ~CMSComm() override;

    void SetCommPort(int port) override;
    int GetCommPort() const override { return m_port; }
    void SetSettings(const QString& settings) override;
    void SetPortOpen(bool open) override;
    bool GetPortOpen() const override { return m_serial.isOpen(); }
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
    QString deviceName() const;

  private:
    void onReadyRead();
    void onError(QSerialPort::SerialPortError error);
    void scheduleCheck();
    void requireOpen() const;

    QSerialPort m_serial;
    int m_port = 1;
    int m_baud = 9600;
    QSerialPort::Parity m_parity = QSerialPort::NoParity;
    QSerialPort::DataBits m_dataBits = QSerialPort::Data8;
    QSerialPort::StopBits m_stopBits = QSerialPort::OneStop;
    int m_threshold = 0;
    int m_inputLen = 0;
    int m_inputMode = 1;
    int m_commEvent = 0;
    bool m_checkQueued = false;
    bool m_inEvent = false;
    QString m_lastOpenError;
};

}  // namespace km905
