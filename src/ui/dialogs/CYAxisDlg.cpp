// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogs/CYAxisDlg.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/app/DialogFrame.h"
namespace km905 {

CYAxisDlg::CYAxisDlg(int gainSel, int offsetSel, QWidget* parent)
    : QDialog(parent), m_gainSel(gainSel), m_offsetSel(offsetSel) {
    setWindowTitle(QStringLiteral("Y OFFSET And Y GAINS Setup"));
    // No close box: OK or Escape.
    setDialogFrame(this, FrameButtons::None);  // no system menu, so no close box
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(13);
    f.setWeight(QFont::Medium);
    auto* outer = new QVBoxLayout(this);
    auto* group = new QGroupBox(QStringLiteral("Y OFFSET And Y GAINS "), this);
    auto* grid = new QGridLayout(group);
    auto* offLabel = new QLabel(QStringLiteral("Y OFFSET(DIV)"), group);
    auto* gainLabel = new QLabel(QStringLiteral("Y GAINS/DIV"), group);
    offLabel->setFont(f);
    gainLabel->setFont(f);
    m_offset = new QComboBox(group);
    m_offset->addItems({"0", "2", "4", "6", "8", "10"});
    m_gain = new QComboBox(group);
    m_gain->addItems({"4", "40", "400", "4k", "40k", "", ""});
    // A stored position the list does not have leaves it without a selection.
    m_offset->setCurrentIndex(offsetSel >= 0 && offsetSel < m_offset->count() ? offsetSel : -1);
    m_gain->setCurrentIndex(gainSel >= 0 && gainSel < m_gain->count() ? gainSel : -1);
    offLabel->setBuddy(m_offset);
    gainLabel->setBuddy(m_gain);
    grid->addWidget(offLabel, 0, 0);
    grid->addWidget(m_offset, 0, 1);
    grid->addWidget(gainLabel, 1, 0);
    grid->addWidget(m_gain, 1, 1);
    outer->addWidget(group);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setFont(f);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &CYAxisDlg::accept);
    outer->addWidget(ok, 0, Qt::AlignHCenter);
}

void CYAxisDlg::accept() {
    m_gainSel = m_gain->currentIndex();
    m_offsetSel = m_offset->currentIndex();
    QDialog::accept();
}

}  // namespace km905
