// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/panel/CMeterPanelDlg.h"

#include <QFontMetricsF>
#include <QKeyEvent>
#include <QPainter>
#include <algorithm>

#include "core/panel/MeterFace.h"
#include "core/panel/PanelKeys.h"
#include "ui/panel/CLcdArea.h"
#include "ui/panel/CPanelButton.h"
#include "ui/panel/FaceFonts.h"
#include "ui/panel/MeterBodyArt.h"

namespace km905 {

CMeterPanelDlg::CMeterPanelDlg(const ViewState& view, QWidget* parent)
    : QWidget(parent), m_view(view), m_bkBitmap(meterBodyPixmap()) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAccessibleName(QStringLiteral("Meter"));
    m_lcd = new CLcdArea(this);
    int n = 0;
    const PanelKey* table = panelKeys(&n);
    // Tab walks the keys as they are read on the meter: row by row, left to right.
    std::vector<const PanelKey*> keys;
    for (int i = 0; i < n; ++i) keys.push_back(&table[i]);
    std::stable_sort(keys.begin(), keys.end(), [](const PanelKey* a, const PanelKey* b) {
        return std::make_pair(a->y, a->x) < std::make_pair(b->y, b->x);
    });
    for (const PanelKey* k : keys) {
        auto* b = new CPanelButton(QString::fromLatin1(k->caption), k->id, this);
        b->setGeometry(k->x, k->y, k->w, k->h);
        const int id = k->id;
        connect(b, &QAbstractButton::clicked, this, [this, id] {
            if (onKey) onKey(id, false);
        });
        connect(b, &CPanelButton::doubleClicked, this, [this, id] {
            if (onKey) onKey(id, true);
        });
        connect(b, &CPanelButton::keyboardPressed, this, [this, id] {
            if (onKeyboardKey) onKeyboardKey(id);
        });
        m_keys.push_back(b);
    }
    m_lcd->setSpoken(meterFaceSpoken(m_view));
}

void CMeterPanelDlg::repaintLcd() {
    m_lcd->setSpoken(meterFaceSpoken(m_view));
    update(QRect(kLcdX, kLcdY, kLcdW, kLcdH));
}

void CMeterPanelDlg::repaintFace() {
    m_lcd->setSpoken(meterFaceSpoken(m_view));
    update();
}

void CMeterPanelDlg::keyPressEvent(QKeyEvent* e) {
    // Enter and Escape never close the embedded panel.
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter || e->key() == Qt::Key_Escape)
        return;
    QWidget::keyPressEvent(e);
}

void CMeterPanelDlg::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawTiledPixmap(rect(), m_bkBitmap);
    p.fillRect(QRect(kLcdX, kLcdY, kLcdW, kLcdH), QColor(168, 191, 163));
    p.fillRect(QRect(0, 600, width(), std::max(0, height() - 600)), QColor(217, 218, 212));

    const FacePicture face = meterFace(m_view);
    p.fillRect(QRect(0, 0, 120, 38), Qt::white);
    p.setPen(QPen(Qt::black, 1));
    for (const PixelLine& l : face.lines) p.drawLine(l.x1, l.y1, l.x2, l.y2);
    for (const FaceText& t : face.texts) {
        const QFont font = faceFont(t.font);
        p.setFont(font);
        p.setPen(t.red ? QColor(255, 0, 0) : QColor(0, 0, 0));
        // A font wider than the face allows (a stretch the system may not honour) is squeezed
        // to the width its characters are given, so the number stays right-aligned and
        // "OFFLINE" inside the LCD.
        const double allowed = faceCharWidth(t.font) * t.text.size();
        const double natural = QFontMetricsF(font).horizontalAdvance(t.text);
        p.save();
        p.translate(t.x, t.y);
        if (allowed > 0 && natural > allowed) p.scale(allowed / natural, 1.0);
        p.drawText(QRect(0, 0, 400, 200), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, t.text);
        p.restore();
    }
}

}  // namespace km905
