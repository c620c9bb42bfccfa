// SPDX-License-Identifier: GPL-3.0-or-later
#include "survey/CReportDetailsDlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>

#include "app/DialogFrame.h"

#include "survey/SurveyReport.h"

namespace km905 {

CReportDetailsDlg::CReportDetailsDlg(const ReportDetails& initial, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Survey Report"));
    setDialogFrame(this);
    auto* form = new QFormLayout(this);
    m_title = new QLineEdit(initial.title, this);
    m_title->setObjectName(QStringLiteral("title"));
    m_title->setPlaceholderText(kDefaultReportTitle);
    m_site = new QLineEdit(initial.site, this);
    m_site->setObjectName(QStringLiteral("site"));
    m_notes = new QPlainTextEdit(initial.notes, this);
    m_notes->setObjectName(QStringLiteral("notes"));
    m_notes->setTabChangesFocus(true);
    form->addRow(QStringLiteral("Title:"), m_title);
    form->addRow(QStringLiteral("Site:"), m_site);
    form->addRow(QStringLiteral("Notes:"), m_notes);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
    resize(420, 260);
}

ReportDetails CReportDetailsDlg::details() const {
    return {m_title->text().trimmed(), m_site->text().trimmed(), m_notes->toPlainText().trimmed()};
}

}  // namespace km905
