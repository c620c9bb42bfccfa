// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/realtime/CRealTimeInfoBar.h"

#include "ui/dialogs/BarStyle.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPainter>

namespace km905 {

namespace {
// Dialog units of the bar's template (Arial 11: about 2 x 2.2 pixels a unit).
QRect du(int x, int y, int w, int h) {
    return QRect(x * 2, y * 11 / 5, w * 2, h * 11 / 5);
}

QLineEdit* box(QWidget* parent, const QRect& r) {
    auto* e = new QLineEdit(parent);
    e->setReadOnly(true);
    e->setFocusPolicy(Qt::TabFocus);  // Tab reaches the values for a screen reader to read
    e->setGeometry(r);
    return e;
}

QLabel* label(QWidget* parent, const QString& text, const QRect& r) {
    auto* l = new QLabel(text, parent);
    l->setGeometry(r);
    return l;
}
}  // namespace

CRealTimeInfoBar::CRealTimeInfoBar(const ViewState& view, QWidget* parent)
    : QWidget(parent), m_view(view) {
    applyBarStyle(this);
    m_yAxis = new QPushButton(QStringLiteral("Y Axis"), this);
    m_yAxis->setGeometry(du(25, 16, 48, 12));
    m_yAxis->setDefault(true);
    // Each label names its field for assistive technology.
    QLabel* battery = label(this, QStringLiteral("voltage stage"), du(81, 17, 44, 9));
    m_battery = box(this, du(127, 16, 48, 12));
    battery->setBuddy(m_battery);
    QLabel* rate = label(this, QStringLiteral("Sample Rate"), du(183, 18, 48, 8));
    m_rate = box(this, du(237, 16, 48, 12));
    rate->setBuddy(m_rate);
    m_rate->setAccessibleDescription(QStringLiteral("Sec"));
    label(this, QStringLiteral("Sec"), du(286, 16, 16, 12));
    QLabel* start = label(this, QStringLiteral("Start Time"), du(30, 36, 35, 8));
    m_start = box(this, du(80, 34, 95, 12));
    start->setBuddy(m_start);
    QLabel* dataNo = label(this, QStringLiteral("Data No."), du(188, 34, 35, 8));
    m_dataNo = box(this, du(237, 33, 49, 12));
    dataNo->setBuddy(m_dataNo);
    label(this, QStringLiteral("Real-Time    Graph"), du(165, 0, 70, 8));
}

void CRealTimeInfoBar::transfer() {
    m_start->setText(m_view.m_startTimeText);
    m_dataNo->setText(m_view.m_dataNoText);
    m_battery->setText(m_view.m_batteryText);
    m_rate->setText(m_view.m_sampleRateText);
}

void CRealTimeInfoBar::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter || e->key() == Qt::Key_Escape)
        return;
    QWidget::keyPressEvent(e);
}

void CRealTimeInfoBar::paintEvent(QPaintEvent*) {
    // A sunken box around the fields with a gap for the caption.
    QPainter p(this);
    const QRect r = du(4, 4, 386, 47);
    p.setPen(QColor(160, 160, 160));
    const int gapL = du(160, 0, 0, 0).x(), gapR = du(240, 0, 0, 0).x();
    p.drawLine(r.left(), r.top(), gapL, r.top());
    p.drawLine(gapR, r.top(), r.right(), r.top());
    p.drawLine(r.left(), r.top(), r.left(), r.bottom());
    p.setPen(Qt::white);
    p.drawLine(r.right(), r.top(), r.right(), r.bottom());
    p.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
}

}  // namespace km905
