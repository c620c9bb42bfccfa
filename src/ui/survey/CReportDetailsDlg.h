// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "core/survey/ReportDetails.h"

namespace km905 {

// "Survey Report": the title, site, notes, room, working plane and meter of a report's first
// page.
class CReportDetailsDlg : public QDialog {
    Q_OBJECT
  public:
    CReportDetailsDlg(const ReportDetails& initial, QWidget* parent = nullptr);
    ReportDetails details() const;

  private:
    QLineEdit* m_title;
    QLineEdit* m_site;
    QPlainTextEdit* m_notes;
    QDoubleSpinBox* m_length;
    QDoubleSpinBox* m_width;
    QDoubleSpinBox* m_height;
    QLineEdit* m_meter;
};

}  // namespace km905
