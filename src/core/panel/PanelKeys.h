// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include "core/link/MeterLink.h"

namespace km905 {

// One key of the meter picture: its control id, place on the panel and codes.
struct PanelKey {
    const char* caption;
    int id;
    int x, y, w, h;
    int clickCode;   // -1: the key sends nothing
    int doubleCode;  // -1: no second function
    bool delayed() const { return doubleCode >= 0; }
    // A held key shows the pressed cursor, except POWEROFF, the one key that does nothing.
    bool showsPressedCursor() const { return clickCode >= 0; }
};

const PanelKey* panelKeys(int* count);
const PanelKey* panelKey(int id);

// The timed steps of a key press: close the port, send 87 83 k 50 ms later, restart the
// live stream 300 ms after that. Keys with a second function wait 100 ms for a double-click.
class PanelKeys {
  public:
    PanelKeys(MeterLink& link, ITimerService& timers);
    void click(int id);
    void doubleClick(int id);
    // A key pressed from the keyboard: a second press of the same key within the desktop's
    // double-click time is its double-click, as the mouse's second click would be.
    void keyboardPress(int id, int doubleClickMs);
    void onTimer(int id);  // panel timers 1..4

    uint8_t m_keyCode = 0;

  private:
    MeterLink& m_link;
    ITimerService& m_timers;
    int m_lastPressId = 0;  // 0: the next keyboard press starts a new pair
    qint64 m_lastPressAt = 0;
};

}  // namespace km905
