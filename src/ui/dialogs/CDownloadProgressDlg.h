// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QProgressBar>

#include "core/dialogs/DownloadProgress.h"

namespace km905 {

// "logging...": stands in front of the main window while a download runs.
class CDownloadProgressDlg : public QDialog {
    Q_OBJECT
  public:
    CDownloadProgressDlg(DownloadProgress& logic, QWidget* parent);
    void showForDownload();  // opens it without blocking: serial events and timers go on
    QProgressBar* bar() const { return m_bar; }

  protected:
    void reject() override;

  private:
    DownloadProgress& m_logic;
    QProgressBar* m_bar;
};

}  // namespace km905
