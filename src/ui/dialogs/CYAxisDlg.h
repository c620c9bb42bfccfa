// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QComboBox>
#include <QDialog>

namespace km905 {

// "Y OFFSET And Y GAINS Setup": the graph's division value and offset.
class CYAxisDlg : public QDialog {
    Q_OBJECT
  public:
    CYAxisDlg(int gainSel, int offsetSel, QWidget* parent = nullptr);
    int m_gainSel;
    int m_offsetSel;
    QComboBox* gainList() const { return m_gain; }
    QComboBox* offsetList() const { return m_offset; }

  public slots:
    void accept() override;

  private:
    QComboBox* m_gain;
    QComboBox* m_offset;
};

}  // namespace km905
