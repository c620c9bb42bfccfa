// SPDX-License-Identifier: GPL-3.0-or-later
#include "SimSerialControl.h"

#include <cmath>

namespace km905::sim {

SimSerialControl::SimSerialControl(VirtualClock& clock, MeterSimulator& meter, int meterPort)
    : m_clock(clock), m_meter(meter), m_startMs(clock.nowMs()), m_meterPort(meterPort) {}

bool SimSerialControl::unplugged() const {
    return m_unplugged || m_meter.unpluggedAt(m_clock.nowMs() - m_startMs);
}

void SimSerialControl::unplug() {
    m_unplugged = true;
    m_open = false;
    m_inBuffer.clear();
    ++m_session;
}

void SimSerialControl::setOpenError(SerialErrorKind kind, const QString& text) {
    m_openError = {kind, text};
}

void SimSerialControl::SetCommPort(int port) {
    if (m_open)
        throw SerialError(SerialErrorKind::Io,
                          QStringLiteral("Operation valid only when the port is closed"));
    if (port < 1 || port > 16)
        throw SerialError(SerialErrorKind::InvalidPort, "Invalid port number");
    m_port = port;
}

void SimSerialControl::SetPortOpen(bool open) {
    if (open == m_open) {
        if (open)
            throw SerialError(SerialErrorKind::PortInUse, QStringLiteral("Port already open"));
        throw SerialError(SerialErrorKind::NotOpen, QStringLiteral("Port is closed"));
    }
    if (open) {
        if (m_openError) {
            m_lastOpenError = m_openError->second;
            throw SerialError(m_openError->first, m_openError->second);
        }
        if (m_port != m_meterPort || unplugged()) {
            m_lastOpenError = QStringLiteral("Invalid port number");
            throw SerialError(SerialErrorKind::InvalidPort, m_lastOpenError);
        }
        m_lastOpenError.clear();
    }
    m_open = open;
    m_inBuffer.clear();
    ++m_session;
}

void SimSerialControl::SetInBufferCount(int count) {
    if (!m_open) throw SerialError(SerialErrorKind::NotOpen, QStringLiteral("Port is closed"));
    if (count == 0) m_inBuffer.clear();
}

void SimSerialControl::SetRThreshold(int threshold) {
    m_threshold = threshold;
    // Enough may already be waiting: the event then comes without new bytes.
    if (m_open && threshold > 0 && m_inBuffer.size() >= threshold) {
        const uint64_t session = m_session;
        m_clock.callAfter(0, [this, session] {
            if (session == m_session) checkThreshold();
        });
    }
}

QByteArray SimSerialControl::GetInput() {
    if (!m_open) throw SerialError(SerialErrorKind::NotOpen, QStringLiteral("Port is closed"));
    QByteArray out;
    if (m_inputLen <= 0 || m_inputLen >= m_inBuffer.size()) {
        out.swap(m_inBuffer);
    } else {
        out = m_inBuffer.left(m_inputLen);
        m_inBuffer.remove(0, m_inputLen);
    }
    return out;
}

void SimSerialControl::SetOutput(const QByteArray& bytes) {
    if (!m_open) throw SerialError(SerialErrorKind::NotOpen, QStringLiteral("Port is closed"));
    if (unplugged()) {
        unplug();
        throw SerialError(SerialErrorKind::Io, QStringLiteral("The device is not connected"));
    }
    m_sent.push_back(bytes);
    const qint64 now = m_clock.nowMs();
    const double txMs = bytes.size() * kByteMs;
    const qint64 atMeter = now + static_cast<qint64>(std::ceil(txMs));
    const uint64_t session = m_session;
    m_clock.callAt(atMeter, [this, bytes, atMeter, session] {
        const QByteArray answer = m_meter.receive(bytes, atMeter - m_startMs);
        if (answer.isEmpty()) return;
        // The answer follows whatever the line is still carrying.
        double t = static_cast<double>(std::max<qint64>(atMeter, m_lineFreeAt));
        int pos = 0;
        m_chunkIndex = 0;  // each answer starts the pattern afresh
        while (pos < answer.size()) {
            const int want = m_chunks.empty() ? 64 : m_chunks[m_chunkIndex++ % m_chunks.size()];
            const int n = std::min<int>(std::max(want, 1), answer.size() - pos);
            t += n * kByteMs;
            const QByteArray chunk = answer.mid(pos, n);
            m_clock.callAt(static_cast<qint64>(std::ceil(t)),
                           [this, chunk, session] { arrive(chunk, session); });
            pos += n;
        }
        m_lineFreeAt = static_cast<qint64>(std::ceil(t));
    });
}

void SimSerialControl::arrive(const QByteArray& chunk, uint64_t session) {
    if (session != m_session || !m_open) return;  // the port was closed meanwhile
    m_inBuffer.append(chunk);
    checkThreshold();
}

void SimSerialControl::checkThreshold() {
    if (m_inEvent || !m_open || m_threshold <= 0 || m_inBuffer.size() < m_threshold) return;
    m_inEvent = true;
    m_eventSizes.push_back(static_cast<int>(m_inBuffer.size()));
    fireOnComm();
    m_inEvent = false;
}

}  // namespace km905::sim
