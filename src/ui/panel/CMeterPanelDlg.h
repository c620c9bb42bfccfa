// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>
#include <QWidget>
#include <functional>
#include <vector>

#include "core/model/MeterState.h"

namespace km905 {

class CLcdArea;
class CPanelButton;

// The picture of the meter beside the graph: it mirrors the display texts.
class CMeterPanelDlg : public QWidget {
    Q_OBJECT
  public:
    CMeterPanelDlg(const ViewState& view, QWidget* parent);

    // A key was clicked or double-clicked (code from the key table).
    std::function<void(int id, bool doubleClick)> onKey;
    // A key was pressed from the keyboard; whether it is a double press is the core's call.
    std::function<void(int id)> onKeyboardKey;

    void repaintLcd();   // only the LCD rectangle
    void repaintFace();  // the whole face: the link went down or came up
    CLcdArea* lcd() const { return m_lcd; }

  protected:
    void paintEvent(QPaintEvent*) override;
    void keyPressEvent(QKeyEvent* e) override;

  private:
    const ViewState& m_view;
    QPixmap m_bkBitmap;
    CLcdArea* m_lcd;
    std::vector<CPanelButton*> m_keys;
};

}  // namespace km905
