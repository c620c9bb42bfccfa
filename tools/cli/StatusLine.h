// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace km905::cli {

// One line on standard error rewritten in place, only when that is a terminal: a service's
// journal gets the notes, not a line a second.
class StatusLine {
  public:
    StatusLine();
    ~StatusLine() { clear(); }
    void show(const QString& text);
    void clear();  // before a note, so it gets a line of its own

  private:
    bool m_terminal = false;
    bool m_drawn = false;
};

}  // namespace km905::cli
