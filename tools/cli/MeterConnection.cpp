// SPDX-License-Identifier: GPL-3.0-or-later
#include "MeterConnection.h"

#include <QTimer>

#include "Report.h"
#include "core/app/QuitSignals.h"
#include "core/link/PortDiscovery.h"
#include "core/link/PortNames.h"
#include "core/realtime/Acquisition.h"

namespace km905::cli {

namespace {
// Three watchdog rounds: a meter that is there answers one of their polls.
constexpr int kFirstFrameMs = 3 * kWatchdogMs;
constexpr int kCheckMs = 20;
}  // namespace

MeterConnection::MeterConnection(std::optional<int> port, IUserInteraction& dialogs)
    : m_port(port),
      // A port asked for is kept; otherwise the meter's bridge is looked for as the program does.
      m_bridges(port ? std::make_unique<NoBridgeLookup>() : makeSystemBridgeLookup()),
      m_session(std::make_unique<Session>(
          SessionServices{m_comm, m_timers, *m_bridges, dialogs, *this, m_settings, &m_journal})) {
    onQuitSignals(&m_quitContext, [this] {
        m_interrupted = true;
        if (m_loop) m_loop->quit();
    });
}

MeterConnection::~MeterConnection() = default;

QString MeterConnection::portText() const {
    const int port = m_session->model().frame.m_comPort;
    return QStringLiteral("port %1 (%2)").arg(port).arg(portDeviceName(port));
}

int MeterConnection::open() {
    if (m_session->start({.port = m_port, .watchDevices = !m_port})) return kExitOk;
    if (!m_port) {
        // The settings file's port failed: the bridge lookup may still find the meter.
        runUntil([this] { return m_comm.GetPortOpen(); }, kDiscoveryDelayMs + 10 * kCheckMs);
        if (m_interrupted) return kExitInterrupted;
        if (m_comm.GetPortOpen()) return kExitOk;
    }
    return fail(portText(), QStringLiteral("cannot be opened: %1").arg(openError()), kExitNoPort);
}

int MeterConnection::waitForMeter() {
    const ViewState& v = model().view;
    const bool answered =
        runUntil([&] { return v.m_linkDown == 0 && !v.m_batteryText.isEmpty(); }, kFirstFrameMs);
    if (m_interrupted) return kExitInterrupted;
    if (!answered)
        return fail(portText(), QStringLiteral("no answer from the meter"), kExitNoAnswer);
    if (v.m_batteryText == QLatin1String("Low"))
        return fail(portText(), QStringLiteral("the meter's battery is low"), kExitLowBattery);
    return kExitOk;
}

bool MeterConnection::runUntil(const std::function<bool()>& done, int deadlineMs) {
    if (done()) return true;
    if (m_interrupted) return false;
    QEventLoop loop;
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (done()) loop.quit();
    });
    check.start(kCheckMs);
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
    if (deadlineMs >= 0) deadline.start(deadlineMs);
    m_loop = &loop;
    loop.exec();
    m_loop = nullptr;
    return done();
}

void MeterConnection::runUntilInterrupted() {
    if (m_interrupted) return;
    QEventLoop loop;
    m_loop = &loop;
    loop.exec();
    m_loop = nullptr;
}

void MeterConnection::repaintLcd() {
    if (onLcd) onLcd();
}

void MeterConnection::repaintFace() {
    if (onFace) onFace();
}

void MeterConnection::logBytesStored() {
    if (onLogBytes) onLogBytes();
}

void MeterConnection::showMessage(const QString& text) {
    note(text);
}

}  // namespace km905::cli
