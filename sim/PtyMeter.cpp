// SPDX-License-Identifier: GPL-3.0-or-later
#include "PtyMeter.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <QFileInfo>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <stdexcept>

namespace km905::sim {

namespace {
qint64 monoMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}
double monoMsF() {
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}
}  // namespace

PtyMeter::PtyMeter(MeterSimulator& meter, QString linkPath, bool paced)
    : m_meter(meter), m_link(std::move(linkPath)), m_paced(paced), m_start(monoMs()) {}

PtyMeter::~PtyMeter() {
    close();
}

qint64 PtyMeter::elapsedMs() const {
    return monoMs() - m_start;
}

void PtyMeter::open() {
    m_master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (m_master < 0 || ::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0)
        throw std::runtime_error(std::string("cannot create a pseudo-terminal: ") +
                                 std::strerror(errno));
    m_slave = QString::fromLocal8Bit(::ptsname(m_master));
    // Held open so the line survives the program closing and reopening its end.
    m_slaveFd = ::open(m_slave.toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
    termios t{};
    if (m_slaveFd >= 0 && ::tcgetattr(m_slaveFd, &t) == 0) {
        ::cfmakeraw(&t);
        ::cfsetispeed(&t, B9600);
        ::cfsetospeed(&t, B9600);
        ::tcsetattr(m_slaveFd, TCSANOW, &t);
    }
    const QByteArray link = m_link.toLocal8Bit();
    QFileInfo existing(m_link);
    if (existing.exists() || existing.isSymLink()) {
        if (!existing.isSymLink())
            throw std::runtime_error(m_link.toStdString() +
                                     " exists and is not a link; not replacing it");
        ::unlink(link.constData());
    }
    if (::symlink(m_slave.toLocal8Bit().constData(), link.constData()) != 0)
        throw std::runtime_error("cannot link " + m_link.toStdString() + ": " +
                                 std::strerror(errno));
    ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);
}

void PtyMeter::close() {
    if (!m_link.isEmpty()) {
        QFileInfo fi(m_link);
        if (fi.isSymLink()) ::unlink(m_link.toLocal8Bit().constData());
    }
    if (m_slaveFd >= 0) ::close(m_slaveFd);
    if (m_master >= 0) ::close(m_master);
    m_slaveFd = m_master = -1;
    m_out.clear();
}

void PtyMeter::pump(qint64 now) {
    if (m_out.empty()) return;
    if (!m_paced) {
        std::string buf(m_out.begin(), m_out.end());
        const ssize_t n = ::write(m_master, buf.data(), buf.size());
        if (n > 0) m_out.erase(m_out.begin(), m_out.begin() + n);
        return;
    }
    (void)now;
    const double t = monoMsF();
    if (m_nextByteAt < t - kByteMs) m_nextByteAt = t;  // the line was idle
    std::string due;
    while (!m_out.empty() && m_nextByteAt <= t) {
        due.push_back(m_out.front());
        m_out.pop_front();
        m_nextByteAt += kByteMs;
    }
    if (!due.empty()) {
        const ssize_t n = ::write(m_master, due.data(), due.size());
        if (n < static_cast<ssize_t>(due.size()))  // pty full: put the rest back
            m_out.insert(m_out.begin(), due.begin() + std::max<ssize_t>(n, 0), due.end());
    }
}

void PtyMeter::run(qint64 durationMs) {
    bool unplugged = false;
    while (!m_stop) {
        const qint64 now = elapsedMs();
        if (durationMs > 0 && now >= durationMs) break;
        const bool wantUnplug = m_meter.unpluggedAt(now);
        if (wantUnplug != unplugged) {
            unplugged = wantUnplug;
            if (unplugged) {
                close();
            } else {
                open();
            }
        }
        if (unplugged) {
            ::usleep(20000);
            continue;
        }
        pollfd pfd{m_master, POLLIN, 0};
        int timeout = 20;
        if (!m_out.empty()) timeout = m_paced ? 1 : 0;
        ::poll(&pfd, 1, timeout);
        if (pfd.revents & POLLIN) {
            char buf[256];
            const ssize_t n = ::read(m_master, buf, sizeof buf);
            if (n > 0) {
                const QByteArray answer =
                    m_meter.receive(QByteArray(buf, static_cast<int>(n)), elapsedMs());
                m_out.insert(m_out.end(), answer.begin(), answer.end());
            }
        }
        pump(elapsedMs());
    }
}

}  // namespace km905::sim
