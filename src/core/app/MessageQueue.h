// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <deque>
#include <optional>

namespace km905 {

// The messages the link raises, shown one box at a time. A text already on screen or
// waiting is not queued again, so no input on the port can pile up boxes, and the next box
// opens only after the one before has closed, never inside its event loop.
class MessageQueue {
  public:
    // Whether the caller must schedule showNext(): nothing is on screen or scheduled yet.
    bool post(const QString& text);
    // The text to show now, or nothing while a box is open or none waits.
    std::optional<QString> next();
    // The box of the last next() has closed; true when another waits to be scheduled.
    bool closed();

    static constexpr size_t kMaxWaiting = 16;

  private:
    std::deque<QString> m_waiting;
    std::optional<QString> m_onScreen;
    bool m_scheduled = false;
};

}  // namespace km905
