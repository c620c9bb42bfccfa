// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QScrollBar>
#include <QWidget>

namespace km905 {

// The thin strip under the graph with the zoomed view's scroll bar.
class CZoomStrip : public QWidget {
    Q_OBJECT
  public:
    explicit CZoomStrip(QWidget* parent);
    QScrollBar* scrollBar() const { return m_bar; }

  protected:
    void resizeEvent(QResizeEvent*) override;

  private:
    QScrollBar* m_bar;
};

}  // namespace km905
