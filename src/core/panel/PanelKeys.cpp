// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/panel/PanelKeys.h"

#include <iterator>

namespace km905 {

namespace {
constexpr PanelKey kKeys[] = {
    {"HOLD", 1044, 86, 459, 44, 31, 0xEF, -1},   {"POWEROFF", 1045, 139, 504, 25, 27, -1, -1},
    {"MAXMIN", 1046, 88, 397, 41, 23, 0xBF, -1}, {"REL", 1047, 112, 428, 47, 28, 0xDF, 0xDE},
    {"LOAD", 1048, 94, 295, 28, 28, 0xFD, 0xDB}, {"RANGE", 1049, 132, 296, 28, 26, 0x7F, -1},
    {"FCLUX", 1050, 56, 295, 29, 26, 0xFE, -1},  {"MEMSET", 1051, 90, 332, 39, 30, 0xFB, 0xDC},
    {"PEAK", 1055, 59, 426, 46, 32, 0xF7, 0xDA},
};
enum PanelTimer : int { kDoubleWait = 1, kClickWait = 2, kSend = 3, kRestart = 4 };
}  // namespace

const PanelKey* panelKeys(int* count) {
    *count = static_cast<int>(std::size(kKeys));
    return kKeys;
}

const PanelKey* panelKey(int id) {
    for (const PanelKey& k : kKeys)
        if (k.id == id) return &k;
    return nullptr;
}

PanelKeys::PanelKeys(MeterLink& link, ITimerService& timers) : m_link(link), m_timers(timers) {}

void PanelKeys::click(int id) {
    const PanelKey* k = panelKey(id);
    if (!k || k->clickCode < 0) return;
    if (k->delayed()) {
        m_keyCode = static_cast<uint8_t>(k->clickCode);
        m_timers.setTimer(TimerOwner::Panel, kClickWait, 100);
        return;
    }
    if (!portOperation([&] { m_link.closeIfOpen(); })) return;  // the key press is lost
    m_keyCode = static_cast<uint8_t>(k->clickCode);
    m_timers.setTimer(TimerOwner::Panel, kSend, 50);
}

void PanelKeys::doubleClick(int id) {
    const PanelKey* k = panelKey(id);
    if (!k || !k->delayed()) return;
    m_keyCode = static_cast<uint8_t>(k->doubleCode);
    m_timers.setTimer(TimerOwner::Panel, kDoubleWait, 10);
}

void PanelKeys::keyboardPress(int id, int doubleClickMs) {
    const qint64 now = m_timers.nowMs();
    const bool twice = m_lastPressId == id && now - m_lastPressAt <= doubleClickMs;
    // A third press starts a new pair, as a third click of the mouse does.
    m_lastPressId = twice ? 0 : id;
    m_lastPressAt = now;
    if (twice)
        doubleClick(id);
    else
        click(id);
}

void PanelKeys::onTimer(int id) {
    m_timers.killTimer(TimerOwner::Panel, id);
    // A failure skips the rest of this step, so the next timer is not started.
    portOperation([&] {
        switch (id) {
            case kDoubleWait:
            case kClickWait:
                m_timers.killTimer(TimerOwner::Panel, kDoubleWait);
                m_timers.killTimer(TimerOwner::Panel, kClickWait);
                m_link.closeIfOpen();
                m_timers.setTimer(TimerOwner::Panel, kSend, 50);
                break;
            case kSend:
                m_link.openIfClosed();
                m_link.sendThree(0x87, 0x83, m_keyCode);
                m_timers.setTimer(TimerOwner::Panel, kRestart, 300);
                break;
            case kRestart:
                m_link.reopenAndPoll();
                break;
            default:
                break;
        }
    });
}

}  // namespace km905
