// SPDX-License-Identifier: GPL-3.0-or-later
#include "serial/CMSComm_win.h"

#include <windows.h>

#include <QTimer>
#include <QWinEventNotifier>
#include <utility>

#include "core/link/PortNames.h"
#include "serial/SerialSettings.h"

namespace km905 {

namespace {
SerialError openError(DWORD e) {
    switch (e) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_NAME:
            return SerialError(SerialErrorKind::InvalidPort, QStringLiteral("Invalid port number"));
        // Windows gives a port held by another program as access denied.
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
            return SerialError(SerialErrorKind::PortInUse, QStringLiteral("Port already open"));
        default:
            return SerialError(SerialErrorKind::Io, QStringLiteral("Port could not be opened"));
    }
}
}  // namespace

struct CMSComm::Port {
    HANDLE handle = INVALID_HANDLE_VALUE;
    OVERLAPPED waitOv{};  // the EV_RXCHAR wait; its event outlives every open
    DWORD mask = 0;
    bool waitPending = false;
    bool dead = false;  // the device went away under an open handle

    Port() { waitOv.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr); }
    ~Port() { CloseHandle(waitOv.hEvent); }
};

CMSComm::CMSComm(QObject* parent) : QObject(parent), m_p(std::make_unique<Port>()) {
    m_notifier = new QWinEventNotifier(m_p->waitOv.hEvent, this);
    m_notifier->setEnabled(false);
    connect(m_notifier, &QWinEventNotifier::activated, this, [this] { onWaitDone(); });
    m_readTimer = new QTimer(this);
    m_readTimer->setInterval(kReadIntervalMs);
    connect(m_readTimer, &QTimer::timeout, this, [this] {
        drain();
        check();
        if (m_p->dead) closePort();
    });
}

CMSComm::~CMSComm() {
    closePort();
}

bool CMSComm::GetPortOpen() const {
    return m_p->handle != INVALID_HANDLE_VALUE && !m_p->dead;
}

void CMSComm::SetCommPort(int port) {
    m_port = checkedCommPort(port, GetPortOpen());
}

void CMSComm::SetSettings(const QString& settings) {
    const SerialSettings s = parseSerialSettings(settings);
    m_baud = s.baud;
    m_parity = s.parity;
    m_dataBits = s.dataBits;
    m_stopBits = s.stopBits;
    if (GetPortOpen()) applySettings();
}

void CMSComm::applySettings() {
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    if (!GetCommState(m_p->handle, &dcb))
        throw SerialError(SerialErrorKind::Io, QStringLiteral("Invalid property value"));
    dcb.BaudRate = static_cast<DWORD>(m_baud);
    dcb.ByteSize = static_cast<BYTE>(m_dataBits);
    dcb.Parity = m_parity == 'n' ? NOPARITY : m_parity == 'e' ? EVENPARITY : ODDPARITY;
    dcb.StopBits = m_stopBits == 1 ? ONESTOPBIT : TWOSTOPBITS;
    dcb.fBinary = TRUE;
    dcb.fParity = m_parity != 'n';
    // No handshake; both lines raised, as a tty is on Linux, so the cable behaves alike.
    dcb.fOutxCtsFlow = FALSE;
    dcb.fOutxDsrFlow = FALSE;
    dcb.fDsrSensitivity = FALSE;
    dcb.fDtrControl = DTR_CONTROL_ENABLE;
    dcb.fRtsControl = RTS_CONTROL_ENABLE;
    dcb.fOutX = FALSE;
    dcb.fInX = FALSE;
    dcb.fErrorChar = FALSE;
    dcb.fNull = FALSE;
    dcb.fAbortOnError = FALSE;
    if (!SetCommState(m_p->handle, &dcb))
        throw SerialError(SerialErrorKind::Io, QStringLiteral("Invalid property value"));
}

void CMSComm::SetPortOpen(bool open) {
    if (m_p->dead) closePort();
    if (open == GetPortOpen()) {
        if (open)
            throw SerialError(SerialErrorKind::PortInUse, QStringLiteral("Port already open"));
        return;
    }
    if (!open) {
        closePort();
        return;
    }
    const std::wstring path = (QStringLiteral("\\\\.\\") + portDeviceName(m_port)).toStdWString();
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                           FILE_FLAG_OVERLAPPED, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        const SerialError e = openError(GetLastError());
        m_lastOpenError = e.description();
        throw e;
    }
    m_p->handle = h;
    m_p->dead = false;
    try {
        applySettings();
        // Reads return at once with what the driver holds; a write gives up after a second.
        COMMTIMEOUTS t{};
        t.ReadIntervalTimeout = MAXDWORD;
        t.WriteTotalTimeoutMultiplier = 2;
        t.WriteTotalTimeoutConstant = 1000;
        if (!SetupComm(h, 4096, 4096) || !SetCommTimeouts(h, &t) || !SetCommMask(h, EV_RXCHAR))
            throw SerialError(SerialErrorKind::Io, QStringLiteral("Port could not be opened"));
    } catch (const SerialError&) {
        closePort();
        m_lastOpenError = QStringLiteral("Port could not be opened");
        throw SerialError(SerialErrorKind::Io, m_lastOpenError);
    }
    PurgeComm(h, PURGE_RXCLEAR | PURGE_TXCLEAR);
    m_in.clear();
    m_lastOpenError.clear();
    armWait();
}

void CMSComm::closePort() {
    m_notifier->setEnabled(false);
    m_readTimer->stop();
    if (m_p->handle == INVALID_HANDLE_VALUE) return;
    if (m_p->waitPending) {
        // The wait must end before its OVERLAPPED may be reused.
        SetCommMask(m_p->handle, 0);
        CancelIo(m_p->handle);
        DWORD n = 0;
        GetOverlappedResult(m_p->handle, &m_p->waitOv, &n, TRUE);
        m_p->waitPending = false;
    }
    CloseHandle(m_p->handle);
    m_p->handle = INVALID_HANDLE_VALUE;
    m_p->dead = false;
    ResetEvent(m_p->waitOv.hEvent);
    m_in.clear();
}

void CMSComm::armWait() {
    if (!GetPortOpen() || m_p->waitPending) return;
    ResetEvent(m_p->waitOv.hEvent);
    m_p->mask = 0;
    // Finished at once or pending, the event is signalled when it is done.
    if (WaitCommEvent(m_p->handle, &m_p->mask, &m_p->waitOv) ||
        GetLastError() == ERROR_IO_PENDING) {
        m_p->waitPending = true;
        m_notifier->setEnabled(true);
    } else {
        m_p->dead = true;
    }
}

void CMSComm::onWaitDone() {
    m_notifier->setEnabled(false);
    if (!m_p->waitPending || m_p->handle == INVALID_HANDLE_VALUE) return;
    DWORD n = 0;
    const bool ok = GetOverlappedResult(m_p->handle, &m_p->waitOv, &n, FALSE);
    m_p->waitPending = false;
    if (!ok) {
        COMSTAT st{};
        DWORD errors = 0;
        if (ClearCommError(m_p->handle, &errors, &st)) {
            // The port is there but its driver cannot wait for characters (one without modem
            // lines, as Wine's on a pseudo-terminal): it is read on a timer from now on.
            m_readTimer->start();
            drain();
            check();
            return;
        }
        // A vanished device leaves a dead handle: close it so the next open reports why.
        closePort();
        return;
    }
    drain();
    check();
    if (m_p->dead) {
        closePort();
        return;
    }
    armWait();
}

// Moves what the driver holds into m_in; reads never wait (ReadIntervalTimeout MAXDWORD).
void CMSComm::drain() const {
    if (!GetPortOpen()) return;
    for (;;) {
        COMSTAT st{};
        DWORD errors = 0;
        if (!ClearCommError(m_p->handle, &errors, &st)) {
            m_p->dead = true;
            return;
        }
        if (st.cbInQue == 0) return;
        QByteArray chunk(static_cast<qsizetype>(st.cbInQue), '\0');
        OVERLAPPED ov{};
        ov.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        DWORD got = 0;
        bool ok = ReadFile(m_p->handle, chunk.data(), st.cbInQue, &got, &ov);
        if (!ok && GetLastError() == ERROR_IO_PENDING)
            ok = GetOverlappedResult(m_p->handle, &ov, &got, TRUE);
        CloseHandle(ov.hEvent);
        if (!ok) {
            m_p->dead = true;
            return;
        }
        if (got == 0) return;
        m_in.append(chunk.constData(), static_cast<qsizetype>(got));
    }
}

void CMSComm::requireOpen() const {
    if (!GetPortOpen())
        throw SerialError(SerialErrorKind::NotOpen,
                          QStringLiteral("Operation valid only when the port is open"));
}

void CMSComm::SetInBufferCount(int count) {
    requireOpen();
    if (count != 0) return;
    PurgeComm(m_p->handle, PURGE_RXCLEAR);
    m_in.clear();
}

int CMSComm::GetInBufferCount() const {
    drain();
    return GetPortOpen() ? static_cast<int>(m_in.size()) : 0;
}

void CMSComm::SetOutBufferCount(int count) {
    requireOpen();
    // Output is handed to the driver as it is put; purging the driver's queue would lose the
    // poll just sent, so there is nothing of ours to discard.
    (void)count;
}

int CMSComm::GetOutBufferCount() const {
    if (!GetPortOpen()) return 0;
    COMSTAT st{};
    DWORD errors = 0;
    return ClearCommError(m_p->handle, &errors, &st) ? static_cast<int>(st.cbOutQue) : 0;
}

void CMSComm::SetRThreshold(int threshold) {
    m_threshold = threshold;
    if (threshold > 0 && GetInBufferCount() >= threshold) scheduleCheck();
}

QByteArray CMSComm::GetInput() {
    requireOpen();
    drain();
    if (m_inputLen <= 0 || m_inputLen >= m_in.size()) return std::exchange(m_in, QByteArray());
    const QByteArray head = m_in.left(m_inputLen);
    m_in.remove(0, m_inputLen);
    return head;
}

void CMSComm::SetOutput(const QByteArray& bytes) {
    requireOpen();
    OVERLAPPED ov{};
    ov.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    DWORD put = 0;
    bool ok =
        WriteFile(m_p->handle, bytes.constData(), static_cast<DWORD>(bytes.size()), &put, &ov);
    if (!ok && GetLastError() == ERROR_IO_PENDING)
        ok = GetOverlappedResult(m_p->handle, &ov, &put, TRUE);
    CloseHandle(ov.hEvent);
    if (!ok || put != static_cast<DWORD>(bytes.size()))
        throw SerialError(SerialErrorKind::Io, QStringLiteral("Write failed"));
}

void CMSComm::scheduleCheck() {
    if (m_checkQueued) return;
    m_checkQueued = true;
    QTimer::singleShot(0, this, [this] {
        m_checkQueued = false;
        drain();
        check();
    });
}

void CMSComm::check() {
    if (m_inEvent || !GetPortOpen() || m_threshold <= 0) return;
    if (m_in.size() < m_threshold) return;
    m_inEvent = true;
    m_commEvent = kCommEventReceive;
    fireOnComm();
    m_inEvent = false;
    // More may have come while the handler ran.
    if (GetPortOpen() && m_threshold > 0 && GetInBufferCount() >= m_threshold) scheduleCheck();
}

}  // namespace km905
