// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <functional>

namespace km905::test {

// Real-time tests wait for the condition they need, with a generous deadline, handling
// events meanwhile; they never count what a fixed sleep allowed.
inline bool waitFor(const std::function<bool()>& condition, int deadlineMs) {
    QElapsedTimer elapsed;
    elapsed.start();
    while (!condition() && elapsed.elapsed() < deadlineMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return condition();
}

}  // namespace km905::test
