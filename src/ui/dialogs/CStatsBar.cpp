// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogs/CStatsBar.h"

#include "ui/dialogs/BarStyle.h"

#include <QLabel>
#include <QPainter>

namespace km905 {

namespace {
// A read-only value that Tab reaches, named by its label for assistive technology.
QLineEdit* field(QWidget* parent, int x, int y, int w, QLabel* name) {
    auto* e = new QLineEdit(parent);
    e->setReadOnly(true);
    e->setFocusPolicy(Qt::TabFocus);
    e->setGeometry(x, y, w, 24);
    name->setBuddy(e);
    return e;
}
QLabel* label(QWidget* parent, const char* text, int x, int y) {
    auto* l = new QLabel(QString::fromLatin1(text), parent);
    l->setGeometry(x, y + 3, 40, 20);
    return l;
}
}  // namespace

CStatsBar::CStatsBar(const ViewState& view, QWidget* parent) : QWidget(parent), m_view(view) {
    applyBarStyle(this);
    m_max = field(this, 56, 14, 150, label(this, "Max", 16, 14));
    m_maxTime = field(this, 262, 14, 100, label(this, "Time", 220, 14));
    m_min = field(this, 56, 50, 150, label(this, "Min", 16, 50));
    m_minTime = field(this, 262, 50, 100, label(this, "Time", 220, 50));
    m_avg = field(this, 432, 32, 150, label(this, "Avg", 392, 32));
    // Two fields share the label "Time": their names say which.
    m_maxTime->setAccessibleName(QStringLiteral("Max Time"));
    m_minTime->setAccessibleName(QStringLiteral("Min Time"));
    setAccessibleName(QStringLiteral("Statistics"));
}

void CStatsBar::transfer() {
    m_max->setText(m_view.m_statMaxText);
    m_maxTime->setText(m_view.m_statMaxTime);
    m_min->setText(m_view.m_statMinText);
    m_minTime->setText(m_view.m_statMinTime);
    m_avg->setText(m_view.m_statAvgText);
}

void CStatsBar::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect r(6, 6, 592, 76);
    p.setPen(QColor(160, 160, 160));
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(Qt::white);
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
}

}  // namespace km905
