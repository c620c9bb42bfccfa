// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

namespace km905 {

// The LCD window of the meter face as assistive technology sees it: the panel paints the
// display, this widget over it takes the keyboard focus and reads the display out.
class CLcdArea : public QWidget {
    Q_OBJECT
  public:
    explicit CLcdArea(QWidget* parent);
    void setSpoken(const QString& text);  // told to screen readers only when it changes

  protected:
    void paintEvent(QPaintEvent*) override;
};

}  // namespace km905
