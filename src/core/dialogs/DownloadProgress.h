// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

#include "core/link/MeterLink.h"

namespace km905 {

// The download progress window's behaviour: a bar that advances with time towards the
// expected count, the end of a download, and its time-outs. A download ends only through the
// window's paint, so the session relays the link's open and repaint here whether or not a
// window shows it.
class DownloadProgress {
  public:
    DownloadProgress(MeterLink& link, ITimerService& timers, ILinkUi& ui);

    void open();     // main-frame timer 1: shown afresh, then painted
    void repaint();  // the link asks for a paint: done while shown
    void onTimer(int id);
    void cancelled();  // Escape: the flags are left as they are

    int position() const { return m_position; }
    int rangeMax() const { return m_rangeMax; }
    bool started() const { return m_started; }
    bool shown() const { return m_shown; }

    std::function<void()> onEnd;         // close the window
    std::function<void()> onMemoryDone;  // then open the memory list
    std::function<void()> onLoggerDone;  // then open the datalogger window
    std::function<void()> onBarChanged;

  private:
    void paint();
    void setBar(int pos);
    void killAll();
    void end();  // the window ends: its timers stop, then onEnd closes it

    MeterLink& m_link;
    ITimerService& m_timers;
    ILinkUi& m_ui;
    bool m_shown = false;
    bool m_started = false;
    int m_rangeTotal = 0;
    int m_rangeMax = 0;
    int m_position = 0;
};

}  // namespace km905
