// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/DialogFrame.h"

#include <QApplication>
#include <QDialog>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>

namespace km905 {

namespace {
// The caption's own width, in the title bar's bold face, with room for the window manager's
// icon and buttons.
int captionWidth(const QString& title) {
    QFont f = QApplication::font();
    f.setBold(true);
    return QFontMetrics(f).horizontalAdvance(title) + 150;
}
}  // namespace

void setDialogFrame(QDialog* dialog, FrameButtons buttons) {
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (buttons != FrameButtons::None)
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (buttons == FrameButtons::CloseAndMinimize) flags |= Qt::WindowMinimizeButtonHint;
    dialog->setWindowFlags(flags);
    fitCaptionWidth(dialog);
}

void fitCaptionWidth(QWidget* window) {
    window->setMinimumWidth(std::max(window->minimumWidth(), captionWidth(window->windowTitle())));
}

void fitCaption(QMessageBox* box) {
    // The box fixes its own size at show; a spacer row is the way to widen it.
    auto* grid = qobject_cast<QGridLayout*>(box->layout());
    if (!grid) return;
    grid->addItem(new QSpacerItem(captionWidth(box->windowTitle()), 0, QSizePolicy::Minimum,
                                  QSizePolicy::Minimum),
                  grid->rowCount(), 0, 1, grid->columnCount());
}

}  // namespace km905
