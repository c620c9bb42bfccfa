#include "CPanelButton.h"

#include <QMouseEvent>
#include <QPainter>

namespace km905 {

const PanelKey* panelKeys(int* count) {
    static const PanelKey keys[] = {
        {"HOLD", 1044, 86, 459, 44, 31, 0xEF, -1},   {"POWEROFF", 1045, 139, 504, 25, 27, -1, -1},
        {"MAXMIN", 1046, 88, 397, 41, 23, 0xBF, -1}, {"REL", 1047, 112, 428, 47, 28, 0xDF, 0xDE},
        {"LOAD", 1048, 94, 295, 28, 28, 0xFD, 0xDB}, {"RANGE", 1049, 132, 296, 28, 26, 0x7F, -1},
        {"FCLUX", 1050, 56, 295, 29, 26, 0xFE, -1},  {"MEMSET", 1051, 90, 332, 39, 30, 0xFB, 0xDC},
        {"PEAK", 1055, 59, 426, 46, 32, 0xF7, 0xDA},
    };
    *count = static_cast<int>(std::size(keys));
    return keys;
}

CPanelButton::CPanelButton(const QString& caption, int id, QWidget* parent)
    : QAbstractButton(parent), m_id(id) {
    setText(caption);
    setToolTip(caption);
    setFocusPolicy(Qt::NoFocus);
}

void CPanelButton::mouseDoubleClickEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) emit doubleClicked();
}

void CPanelButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect()).adjusted(1, 1, -1, -1);
    const bool power = text() == QLatin1String("POWEROFF");
    const bool down = isDown() && !power;
    QColor face = power ? QColor(170, 40, 36) : QColor(196, 200, 204);
    if (down) face = face.darker(130);
    p.setPen(QPen(QColor(20, 22, 26), 1));
    p.setBrush(face);
    if (power) {
        p.drawEllipse(r);
        p.setPen(QPen(Qt::white, 2));
        p.drawArc(r.adjusted(6, 6, -6, -6), 120 * 16, 300 * 16);
        p.drawLine(QPointF(r.center().x(), r.top() + 4), QPointF(r.center().x(), r.center().y()));
        return;
    }
    p.drawRoundedRect(r, 6, 6);
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(text().size() > 4 ? 7 : 9);
    f.setBold(true);
    p.setFont(f);
    p.setPen(QColor(30, 30, 30));
    p.drawText(r.translated(down ? 1 : 0, down ? 1 : 0), Qt::AlignCenter, text());
}

}  // namespace km905
