// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QComboBox>
#include <QDialog>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QSpinBox>

#include "core/survey/SurveyGrid.h"

namespace km905 {

// "Survey Grid": the measuring grid's columns, rows and the order its points were walked in;
// a room's length and width, when given, propose the grid by the standard rule.
class CGridShapeDlg : public QDialog {
    Q_OBJECT
  public:
    CGridShapeDlg(const GridShape& initial, QWidget* parent = nullptr);
    GridShape shape() const;

  private:
    QSpinBox* m_columns;
    QSpinBox* m_rows;
    QComboBox* m_order;
    QDoubleSpinBox* m_length;
    QDoubleSpinBox* m_width;
    QLabel* m_proposal;
    void roomChanged();
};

}  // namespace km905
