// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QTextBrowser;

namespace km905 {

// The shipped help pages, shown inside the program: no browser needs to be registered.
class HelpWindow : public QDialog {
    Q_OBJECT
  public:
    explicit HelpWindow(const QString& page, QWidget* parent = nullptr);
    QTextBrowser* browser() const { return m_browser; }

  private:
    QTextBrowser* m_browser;
};

}  // namespace km905
