// SPDX-License-Identifier: GPL-3.0-or-later
#include "serial/CMSComm_qt.h"

#include "serial/SerialSettings.h"

#include <QFileInfo>
#include <QTimer>

#include "core/link/PortNames.h"

#ifndef Q_OS_WIN
#include <unistd.h>
#endif

namespace km905 {

namespace {
SerialError openError(const QString& device, QSerialPort::SerialPortError e) {
    if (e == QSerialPort::DeviceNotFoundError || !QFileInfo::exists(device))
        return SerialError(SerialErrorKind::InvalidPort, QStringLiteral("Invalid port number"));
    if (e == QSerialPort::PermissionError) {
#ifndef Q_OS_WIN
        // Linux reports a port held by another program and one we may not open alike.
        if (::access(device.toLocal8Bit().constData(), R_OK | W_OK) != 0)
            return SerialError(SerialErrorKind::PermissionDenied,
                               QStringLiteral("Permission denied"));
#endif
        return SerialError(SerialErrorKind::PortInUse, QStringLiteral("Port already open"));
    }
    return SerialError(SerialErrorKind::Io, QStringLiteral("Port could not be opened"));
}
}  // namespace

CMSComm::CMSComm(QObject* parent) : QObject(parent) {
    connect(&m_serial, &QSerialPort::readyRead, this, &CMSComm::onReadyRead);
    connect(&m_serial, &QSerialPort::errorOccurred, this, &CMSComm::onError);
}

CMSComm::~CMSComm() {
    if (m_serial.isOpen()) m_serial.close();
}

QString CMSComm::deviceName() const {
    return portDeviceName(m_port);
}

void CMSComm::SetCommPort(int port) {
    m_port = checkedCommPort(port, m_serial.isOpen());
}

void CMSComm::SetSettings(const QString& settings) {
    const SerialSettings s = parseSerialSettings(settings);
    m_baud = s.baud;
    m_parity = s.parity == 'n'   ? QSerialPort::NoParity
               : s.parity == 'e' ? QSerialPort::EvenParity
                                 : QSerialPort::OddParity;
    m_dataBits = static_cast<QSerialPort::DataBits>(s.dataBits);
    m_stopBits = s.stopBits == 1 ? QSerialPort::OneStop : QSerialPort::TwoStop;
    if (m_serial.isOpen()) {
        m_serial.setBaudRate(m_baud);
        m_serial.setParity(m_parity);
        m_serial.setDataBits(m_dataBits);
        m_serial.setStopBits(m_stopBits);
    }
}

void CMSComm::SetPortOpen(bool open) {
    if (open == m_serial.isOpen()) {
        if (open)
            throw SerialError(SerialErrorKind::PortInUse, QStringLiteral("Port already open"));
        return;
    }
    if (!open) {
        m_serial.close();
        return;
    }
    const QString device = portDeviceName(m_port);
    m_serial.setPortName(device);
    m_serial.setBaudRate(m_baud);
    m_serial.setParity(m_parity);
    m_serial.setDataBits(m_dataBits);
    m_serial.setStopBits(m_stopBits);
    m_serial.setFlowControl(QSerialPort::NoFlowControl);
    if (!m_serial.open(QIODevice::ReadWrite)) {
        const SerialError e = openError(device, m_serial.error());
        m_lastOpenError = e.description();
        m_serial.clearError();
        throw e;
    }
    m_lastOpenError.clear();
}

void CMSComm::requireOpen() const {
    if (!m_serial.isOpen())
        throw SerialError(SerialErrorKind::NotOpen,
                          QStringLiteral("Operation valid only when the port is open"));
}

void CMSComm::SetInBufferCount(int count) {
    requireOpen();
    if (count != 0) return;
    m_serial.clear(QSerialPort::Input);
    (void)m_serial.readAll();
}

int CMSComm::GetInBufferCount() const {
    return m_serial.isOpen() ? static_cast<int>(m_serial.bytesAvailable()) : 0;
}

void CMSComm::SetOutBufferCount(int count) {
    requireOpen();
    // Output is handed to the device as it is put, so only what it has not yet taken is
    // discarded; dropping the device's queue would lose the poll just sent.
    if (count == 0 && m_serial.bytesToWrite() > 0) m_serial.clear(QSerialPort::Output);
}

int CMSComm::GetOutBufferCount() const {
    return m_serial.isOpen() ? static_cast<int>(m_serial.bytesToWrite()) : 0;
}

void CMSComm::SetRThreshold(int threshold) {
    m_threshold = threshold;
    if (m_serial.isOpen() && threshold > 0 && m_serial.bytesAvailable() >= threshold)
        scheduleCheck();
}

QByteArray CMSComm::GetInput() {
    requireOpen();
    if (m_inputLen <= 0) return m_serial.readAll();
    return m_serial.read(m_inputLen);
}

void CMSComm::SetOutput(const QByteArray& bytes) {
    requireOpen();
    if (m_serial.write(bytes) != bytes.size())
        throw SerialError(SerialErrorKind::Io, QStringLiteral("Write failed"));
    m_serial.flush();
}

void CMSComm::scheduleCheck() {
    if (m_checkQueued) return;
    m_checkQueued = true;
    QTimer::singleShot(0, this, [this] {
        m_checkQueued = false;
        onReadyRead();
    });
}

void CMSComm::onReadyRead() {
    if (m_inEvent || !m_serial.isOpen() || m_threshold <= 0) return;
    if (m_serial.bytesAvailable() < m_threshold) return;
    m_inEvent = true;
    m_commEvent = kCommEventReceive;
    fireOnComm();
    m_inEvent = false;
    // More may have come while the handler ran.
    if (m_serial.isOpen() && m_threshold > 0 && m_serial.bytesAvailable() >= m_threshold)
        scheduleCheck();
}

void CMSComm::onError(QSerialPort::SerialPortError error) {
    // A device that vanished leaves a dead handle: close it so the next open reports why.
    if (error == QSerialPort::ResourceError && m_serial.isOpen()) {
        m_serial.close();
        m_serial.clearError();
    }
}

}  // namespace km905
