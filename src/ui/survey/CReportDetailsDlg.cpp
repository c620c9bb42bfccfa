// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/survey/CReportDetailsDlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>

#include "ui/app/DialogFrame.h"

#include "core/survey/SurveyReport.h"

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
    auto metres = [this](const char* name, double value) {
        auto* box = new QDoubleSpinBox(this);
        box->setObjectName(QLatin1String(name));
        box->setRange(0, 9999);
        box->setDecimals(2);
        box->setSuffix(QStringLiteral(" m"));
        box->setSpecialValueText(QStringLiteral("--"));  // 0: not given
        box->setValue(value);
        return box;
    };
    m_length = metres("roomLength", initial.roomLength);
    m_width = metres("roomWidth", initial.roomWidth);
    m_height = metres("planeHeight", initial.planeHeight);
    m_meter = new QLineEdit(initial.meterId, this);
    m_meter->setObjectName(QStringLiteral("meter"));
    m_meter->setPlaceholderText(QStringLiteral("serial or asset number"));
    auto* room = new QHBoxLayout;
    room->addWidget(m_length);
    room->addWidget(new QLabel(QStringLiteral("x"), this));
    room->addWidget(m_width);
    form->addRow(QStringLiteral("Room size:"), room);
    form->addRow(QStringLiteral("Working plane:"), m_height);
    form->addRow(QStringLiteral("Meter:"), m_meter);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
    resize(440, 340);
}

ReportDetails CReportDetailsDlg::details() const {
    ReportDetails d{m_title->text().trimmed(), m_site->text().trimmed(),
                    m_notes->toPlainText().trimmed()};
    d.roomLength = m_length->value();
    d.roomWidth = m_width->value();
    d.planeHeight = m_height->value();
    d.meterId = m_meter->text().trimmed();
    return d;
}

}  // namespace km905
