// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractButton>

namespace km905 {

// One meter key: drawn from code at its place on the body picture.
class CPanelButton : public QAbstractButton {
    Q_OBJECT
  public:
    CPanelButton(const QString& caption, int id, QWidget* parent);
    int controlId() const { return m_id; }
    QSize sizeHint() const override { return size(); }

  signals:
    void doubleClicked();

  protected:
    void paintEvent(QPaintEvent*) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;

  private:
    int m_id;
};

}  // namespace km905
