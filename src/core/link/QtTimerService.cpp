// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/link/QtTimerService.h"

#include <QDateTime>

namespace km905 {

void QtTimerService::setTimer(TimerOwner owner, int id, int periodMs) {
    auto& slot = m_timers[{static_cast<int>(owner), id}];
    if (!slot) {
        slot = std::make_unique<QTimer>();
        slot->setTimerType(Qt::PreciseTimer);
        QObject::connect(slot.get(), &QTimer::timeout, [this, owner, id] {
            auto h = m_handlers.find(static_cast<int>(owner));
            if (h != m_handlers.end() && h->second) h->second(id);
        });
    }
    slot->start(periodMs < 1 ? 1 : periodMs);
}

void QtTimerService::killTimer(TimerOwner owner, int id) {
    auto it = m_timers.find({static_cast<int>(owner), id});
    if (it != m_timers.end()) it->second->stop();
}

void QtTimerService::killAllTimers(TimerOwner owner) {
    for (auto& [key, timer] : m_timers)
        if (key.first == static_cast<int>(owner)) timer->stop();
}

bool QtTimerService::isTimerActive(TimerOwner owner, int id) const {
    auto it = m_timers.find({static_cast<int>(owner), id});
    return it != m_timers.end() && it->second->isActive();
}

void QtTimerService::setHandler(TimerOwner owner, Handler handler) {
    m_handlers[static_cast<int>(owner)] = std::move(handler);
}

qint64 QtTimerService::nowMs() const {
    return QDateTime::currentMSecsSinceEpoch();
}

}  // namespace km905
