// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "core/app/UserInteraction.h"

namespace km905 {

// "Survey Requirement": a task area from the list (the shipped ones, then the user's own), or
// values typed in; the user's own areas kept, changed or removed here.
class CRequirementDlg : public QDialog {
    Q_OBJECT
  public:
    CRequirementDlg(const RequirementQuestion& question, QWidget* parent = nullptr);
    RequirementAnswer answer() const;
    QListWidget* areas() const { return m_list; }
    void keepAsOwn();  // the values under the name, as one of the user's own areas
    void removeOwn();  // the user's own area chosen in the list

  private:
    void fillList(const QString& select);
    void areaChosen();
    const SurveyRequirement* chosenArea() const;
    bool isOwnRow(int row) const;
    std::vector<SurveyRequirement> m_standard, m_own;
    QListWidget* m_list;
    QLineEdit* m_name;
    QDoubleSpinBox* m_em;
    QDoubleSpinBox* m_u0;
    QPushButton* m_keep;
    QPushButton* m_remove;
};

}  // namespace km905
