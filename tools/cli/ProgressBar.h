// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace km905::cli {

// A one-line bar on standard error, drawn only when that is a terminal.
class ProgressBar {
  public:
    explicit ProgressBar(QString label);
    ~ProgressBar() { finish(); }
    void show(int position, int total);
    void finish();  // ends the line, if one was drawn

  private:
    QString m_label;
    bool m_terminal = false;
    bool m_drawn = false;
    int m_lastFilled = -1;
    int m_lastPercent = -1;
};

}  // namespace km905::cli
