// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogs/CDownloadProgressDlg.h"

#include <QVBoxLayout>

#include "ui/app/DialogFrame.h"
namespace km905 {

CDownloadProgressDlg::CDownloadProgressDlg(DownloadProgress& logic, QWidget* parent)
    : QDialog(parent), m_logic(logic) {
    setWindowTitle(QStringLiteral("logging..."));
    setDialogFrame(this, FrameButtons::None);
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    m_bar = new QProgressBar(this);
    m_bar->setTextVisible(false);
    m_bar->setAccessibleName(QStringLiteral("Download progress"));
    m_bar->setRange(0, 1);
    m_bar->setValue(0);
    layout->addWidget(m_bar);
    resize(262, 40);
    m_logic.onBarChanged = [this] {
        m_bar->setRange(0, std::max(m_logic.rangeMax(), 1));
        m_bar->setValue(m_logic.position());
    };
    m_logic.onEnd = [this] { done(QDialog::Accepted); };
}

// The session has already painted the logic; the window shows where it stands.
void CDownloadProgressDlg::showForDownload() {
    m_bar->setRange(0, std::max(m_logic.rangeMax(), 1));
    m_bar->setValue(m_logic.position());
    open();
}

void CDownloadProgressDlg::reject() {
    // Escape: the window goes, the download's flags stay as they are.
    m_logic.cancelled();
    QDialog::reject();
}

}  // namespace km905
