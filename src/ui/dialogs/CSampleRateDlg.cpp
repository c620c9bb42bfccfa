// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogs/CSampleRateDlg.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/app/DialogFrame.h"
namespace km905 {

namespace {
QFont labelFont() {
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(15);
    f.setWeight(QFont::Medium);
    return f;
}
}  // namespace

CSampleRateDlg::CSampleRateDlg(int rateSecs, IUserInteraction& ui, QWidget* parent)
    : QDialog(parent), m_rateSecs(rateSecs), m_ui(ui) {
    setWindowTitle(QStringLiteral("Sample Rate Setup"));
    setDialogFrame(this);
    auto* outer = new QVBoxLayout(this);
    auto* group = new QGroupBox(QStringLiteral("Sample Rate Setup"), this);
    auto* row = new QHBoxLayout(group);
    auto* label = new QLabel(QStringLiteral("Sample Rate"), group);
    label->setFont(labelFont());
    m_field = new QLineEdit(QString::number(m_rateSecs), group);
    m_field->setObjectName(QStringLiteral("rate"));
    label->setBuddy(m_field);
    m_field->setAccessibleDescription(QStringLiteral("Sec"));
    auto* sec = new QLabel(QStringLiteral("Sec"), group);
    sec->setFont(labelFont());
    row->addWidget(label);
    row->addWidget(m_field);
    row->addWidget(sec);
    outer->addWidget(group);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setFont(labelFont());
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &CSampleRateDlg::accept);
    outer->addWidget(ok, 0, Qt::AlignHCenter);
}

void CSampleRateDlg::accept() {
    bool ok = false;
    const int v = m_field->text().trimmed().toInt(&ok);
    if (!ok) {
        m_ui.showMessage(QStringLiteral("Please enter an integer."));
        m_field->setFocus();
        m_field->selectAll();
        return;  // the dialog stays open
    }
    m_rateSecs = v;
    QDialog::accept();
}

}  // namespace km905
