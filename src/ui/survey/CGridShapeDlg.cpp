// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/survey/CGridShapeDlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>

#include "core/survey/GridSizing.h"
#include "ui/app/DialogFrame.h"

namespace km905 {

CGridShapeDlg::CGridShapeDlg(const GridShape& initial, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Survey Grid"));
    setDialogFrame(this);
    auto* form = new QFormLayout(this);
    auto side = [this](int value) {
        auto* box = new QSpinBox(this);
        box->setRange(1, GridShape::kMaxSide);
        box->setValue(value);
        return box;
    };
    m_columns = side(initial.columns);
    m_columns->setObjectName(QStringLiteral("columns"));
    m_rows = side(initial.rows);
    m_rows->setObjectName(QStringLiteral("rows"));
    m_order = new QComboBox(this);
    m_order->setObjectName(QStringLiteral("order"));
    m_order->addItem(QStringLiteral("Row by row"));
    m_order->addItem(QStringLiteral("Serpentine"));
    m_order->setCurrentIndex(initial.order == GridOrder::Serpentine ? 1 : 0);
    auto metres = [this](const char* name) {
        auto* box = new QDoubleSpinBox(this);
        box->setObjectName(QLatin1String(name));
        box->setRange(0, 9999);
        box->setDecimals(2);
        box->setSuffix(QStringLiteral(" m"));
        box->setSpecialValueText(QStringLiteral("--"));  // 0: not given
        return box;
    };
    m_length = metres("roomLength");
    m_width = metres("roomWidth");
    m_proposal = new QLabel(this);
    m_proposal->setObjectName(QStringLiteral("roomProposal"));
    auto* room = new QHBoxLayout;
    room->addWidget(m_length);
    room->addWidget(new QLabel(QStringLiteral("x"), this));
    room->addWidget(m_width);
    form->addRow(QStringLiteral("Room size:"), room);
    form->addRow(QString(), m_proposal);
    connect(m_length, &QDoubleSpinBox::valueChanged, this, &CGridShapeDlg::roomChanged);
    connect(m_width, &QDoubleSpinBox::valueChanged, this, &CGridShapeDlg::roomChanged);
    form->addRow(QStringLiteral("Columns:"), m_columns);
    form->addRow(QStringLiteral("Rows:"), m_rows);
    form->addRow(QStringLiteral("Order:"), m_order);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
}

void CGridShapeDlg::roomChanged() {
    const std::optional<RoomGrid> g = roomGrid(m_length->value(), m_width->value());
    m_proposal->setText(g ? roomGridText(*g) : QString());
    if (!g) return;
    m_columns->setValue(g->along);
    m_rows->setValue(g->across);
}

GridShape CGridShapeDlg::shape() const {
    return {m_columns->value(), m_rows->value(),
            m_order->currentIndex() == 1 ? GridOrder::Serpentine : GridOrder::RowByRow};
}

}  // namespace km905
