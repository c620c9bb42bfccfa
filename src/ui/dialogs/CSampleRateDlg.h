// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QLineEdit>

#include "core/app/UserInteraction.h"

namespace km905 {

// "Sample Rate Setup": the recording's period in whole seconds.
class CSampleRateDlg : public QDialog {
    Q_OBJECT
  public:
    CSampleRateDlg(int rateSecs, IUserInteraction& ui, QWidget* parent = nullptr);
    int m_rateSecs;
    QLineEdit* field() const { return m_field; }

  public slots:
    void accept() override;

  private:
    IUserInteraction& m_ui;
    QLineEdit* m_field;
};

}  // namespace km905
