// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/HelpWindow.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace km905 {

HelpWindow::HelpWindow(const QString& page, QWidget* parent)
    : QDialog(parent), m_browser(new QTextBrowser(this)) {
    setWindowTitle(QStringLiteral("KM905 Help"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_browser);
    m_browser->setAccessibleName(QStringLiteral("Help"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    layout->addWidget(buttons);
    m_browser->setOpenExternalLinks(true);
    if (QFileInfo(page).isReadable())
        m_browser->setSource(QUrl::fromLocalFile(page));
    else
        m_browser->setPlainText(QStringLiteral("The help file %1 is missing.").arg(page));
    resize(720, 640);
}

}  // namespace km905
