// SPDX-License-Identifier: GPL-3.0-or-later
#include "survey/CGridShapeDlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>

#include "app/DialogFrame.h"

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
    form->addRow(QStringLiteral("Columns:"), m_columns);
    form->addRow(QStringLiteral("Rows:"), m_rows);
    form->addRow(QStringLiteral("Order:"), m_order);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
}

GridShape CGridShapeDlg::shape() const {
    return {m_columns->value(), m_rows->value(),
            m_order->currentIndex() == 1 ? GridOrder::Serpentine : GridOrder::RowByRow};
}

}  // namespace km905
