// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/app/MessageQueue.h"

#include <algorithm>

namespace km905 {

bool MessageQueue::post(const QString& text) {
    if (m_onScreen == text ||
        std::find(m_waiting.begin(), m_waiting.end(), text) != m_waiting.end())
        return false;
    // The link raises a handful of fixed texts; a flood of distinct ones is dropped at the door.
    if (m_waiting.size() >= kMaxWaiting) return false;
    m_waiting.push_back(text);
    if (m_onScreen || m_scheduled) return false;
    m_scheduled = true;
    return true;
}

std::optional<QString> MessageQueue::next() {
    m_scheduled = false;
    if (m_onScreen || m_waiting.empty()) return std::nullopt;
    m_onScreen = m_waiting.front();
    m_waiting.pop_front();
    return m_onScreen;
}

bool MessageQueue::closed() {
    m_onScreen.reset();
    if (m_waiting.empty() || m_scheduled) return false;
    m_scheduled = true;
    return true;
}

}  // namespace km905
