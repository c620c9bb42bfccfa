// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/survey/CRequirementDlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>

#include "core/survey/RequirementChoice.h"
#include "ui/app/DialogFrame.h"

namespace km905 {

namespace {
const QString kNone = QStringLiteral("(no requirement)");

QString rowText(const SurveyRequirement& r, bool own) {
    QString t = QStringLiteral("%1: %2 lx, U0 %3").arg(r.area, emText(r), u0Text(r));
    return own ? t + QStringLiteral("  (mine)") : t;
}
}  // namespace

CRequirementDlg::CRequirementDlg(const RequirementQuestion& q, QWidget* parent)
    : QDialog(parent), m_standard(q.standard), m_own(q.own) {
    setWindowTitle(QStringLiteral("Survey Requirement"));
    setDialogFrame(this);
    auto* form = new QFormLayout(this);
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("areas"));
    form->addRow(m_list);
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("name"));
    m_name->setPlaceholderText(QStringLiteral("values typed in"));
    m_em = new QDoubleSpinBox(this);
    m_em->setObjectName(QStringLiteral("em"));
    m_em->setRange(0.01, 200000);
    m_em->setDecimals(2);
    m_em->setSuffix(QStringLiteral(" lx"));
    m_u0 = new QDoubleSpinBox(this);
    m_u0->setObjectName(QStringLiteral("u0"));
    m_u0->setRange(0, 1);
    m_u0->setDecimals(3);
    m_u0->setSingleStep(0.05);
    form->addRow(QStringLiteral("Area:"), m_name);
    form->addRow(QStringLiteral("\u0112m:"), m_em);
    form->addRow(QStringLiteral("U0:"), m_u0);
    auto* own = new QHBoxLayout;
    m_keep = new QPushButton(QStringLiteral("Keep as my area"), this);
    m_keep->setObjectName(QStringLiteral("keep"));
    m_remove = new QPushButton(QStringLiteral("Remove my area"), this);
    m_remove->setObjectName(QStringLiteral("remove"));
    own->addWidget(m_keep);
    own->addWidget(m_remove);
    form->addRow(own);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
    connect(m_keep, &QPushButton::clicked, this, &CRequirementDlg::keepAsOwn);
    connect(m_remove, &QPushButton::clicked, this, &CRequirementDlg::removeOwn);
    connect(m_list, &QListWidget::currentRowChanged, this, &CRequirementDlg::areaChosen);
    connect(m_name, &QLineEdit::textChanged, this,
            [this](const QString& t) { m_keep->setEnabled(!t.trimmed().isEmpty()); });

    // Values typed in while "(no requirement)" is chosen are the requirement.
    auto typed = [this] {
        if (m_list->currentRow() != 0) return;
        const QSignalBlocker quiet(m_list);
        m_list->setCurrentRow(-1);
    };
    connect(m_name, &QLineEdit::textEdited, this, typed);
    connect(m_em, &QDoubleSpinBox::valueChanged, this, typed);
    connect(m_u0, &QDoubleSpinBox::valueChanged, this, typed);

    const SurveyRequirement shown = q.current.value_or(standardAreas().front());
    m_name->setText(shown.area);
    m_em->setValue(shown.emLux());
    m_u0->setValue(shown.u0());
    fillList(q.current ? q.current->area : kNone);
    resize(460, 440);
}

void CRequirementDlg::fillList(const QString& select) {
    const QSignalBlocker quiet(m_list);
    m_list->clear();
    m_list->addItem(kNone);
    for (const SurveyRequirement& r : m_standard) m_list->addItem(rowText(r, false));
    for (const SurveyRequirement& r : m_own) m_list->addItem(rowText(r, true));
    int row = -1;
    if (select == kNone) row = 0;
    // The user's own area of that name first: it is the one kept.
    for (size_t i = 0; row < 0 && i < m_own.size(); ++i)
        if (m_own[i].area == select) row = static_cast<int>(1 + m_standard.size() + i);
    for (size_t i = 0; row < 0 && i < m_standard.size(); ++i)
        if (m_standard[i].area == select) row = static_cast<int>(1 + i);
    m_list->setCurrentRow(row);
    m_remove->setEnabled(isOwnRow(row));
}

bool CRequirementDlg::isOwnRow(int row) const {
    return row > static_cast<int>(m_standard.size());
}

const SurveyRequirement* CRequirementDlg::chosenArea() const {
    const int row = m_list->currentRow();
    if (row <= 0) return nullptr;
    const auto i = static_cast<size_t>(row - 1);
    return i < m_standard.size() ? &m_standard[i] : &m_own[i - m_standard.size()];
}

void CRequirementDlg::areaChosen() {
    m_remove->setEnabled(isOwnRow(m_list->currentRow()));
    if (const SurveyRequirement* r = chosenArea()) {
        m_name->setText(r->area);
        m_em->setValue(r->emLux());
        m_u0->setValue(r->u0());
    }
}

void CRequirementDlg::keepAsOwn() {
    const SurveyRequirement r =
        surveyRequirement(m_name->text().trimmed(), m_em->value(), m_u0->value());
    if (r.area.isEmpty() || !r.valid()) return;
    bool replaced = false;
    for (SurveyRequirement& o : m_own)
        if (o.area.compare(r.area, Qt::CaseInsensitive) == 0) {
            o = r;
            replaced = true;
        }
    if (!replaced) m_own.push_back(r);
    fillList(r.area);
}

void CRequirementDlg::removeOwn() {
    const int row = m_list->currentRow();
    if (!isOwnRow(row)) return;
    m_own.erase(m_own.begin() + (row - 1 - static_cast<int>(m_standard.size())));
    fillList(kNone);
}

RequirementAnswer CRequirementDlg::answer() const {
    RequirementAnswer a;
    a.own = m_own;
    if (m_list->currentRow() != 0)
        a.chosen = labelledRequirement(m_name->text(), m_em->value(), m_u0->value());
    return a;
}

}  // namespace km905
