// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QDialog;
class QMessageBox;
class QWidget;

namespace km905 {

enum class FrameButtons { Close, CloseAndMinimize, None };

// A dialog's frame: a caption, and a close box unless told otherwise, never the maximise
// button of a main window; at least as wide as its caption needs, so the title is never cut.
void setDialogFrame(QDialog* dialog, FrameButtons buttons = FrameButtons::Close);
// The width rule alone, for a window whose caption changes.
void fitCaptionWidth(QWidget* window);

// A message box lays itself out to its text: a short text gets room for the caption too.
void fitCaption(QMessageBox* box);

}  // namespace km905
