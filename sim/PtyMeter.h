// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <atomic>
#include <deque>

#include "MeterSimulator.h"

namespace km905::sim {

// The simulated meter on a pseudo-terminal, linked at a device path the program opens.
class PtyMeter {
  public:
    PtyMeter(MeterSimulator& meter, QString linkPath, bool paced);
    ~PtyMeter();

    // Creates the pseudo-terminal and the link; throws std::runtime_error on failure.
    void open();
    void close();
    const QString& linkPath() const { return m_link; }

    // Serves the line until stop() or durationMs (<= 0: forever) passes.
    void run(qint64 durationMs = 0);
    void stop() { m_stop = true; }

  private:
    qint64 elapsedMs() const;
    void pump(qint64 now);

    MeterSimulator& m_meter;
    QString m_link;
    QString m_slave;
    bool m_paced;
    int m_master = -1;
    int m_slaveFd = -1;
    std::deque<char> m_out;
    double m_nextByteAt = 0;
    qint64 m_start = 0;
    std::atomic<bool> m_stop{false};
};

}  // namespace km905::sim
