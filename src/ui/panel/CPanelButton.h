// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractButton>

class QPainter;

namespace km905 {

// One meter key: drawn from code at its place on the body picture.
class CPanelButton : public QAbstractButton {
    Q_OBJECT
  public:
    CPanelButton(const QString& caption, int id, QWidget* parent);
    QSize sizeHint() const override { return size(); }

  signals:
    void doubleClicked();
    // Space (on release) or Return pressed the key while it had the focus.
    void keyboardPressed();

  protected:
    void paintEvent(QPaintEvent*) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;

  private:
    void paintFocus(QPainter& p);
};

}  // namespace km905
