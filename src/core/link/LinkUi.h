// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace km905 {

// What the link asks of the windows. The user interface implements it; tests record it.
class ILinkUi {
  public:
    virtual ~ILinkUi() = default;
    virtual void repaintLcd() {}   // the meter face's LCD rectangle, without erasing
    virtual void repaintFace() {}  // the whole meter face
    virtual void updateAllViews() {}
    virtual void transferInfoBar() {}  // info bar texts to its fields
    virtual void repaintProgress() {}
    virtual void openProgressWindow() {}  // main-frame timer 1
    virtual void repaintGraph() {}        // the real-time graph, without erasing
    virtual void logBytesStored() {}      // more datalogger stream bytes in g_logBuffer
    virtual void showMessage(const QString& text) { (void)text; }
};

}  // namespace km905
