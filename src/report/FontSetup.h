// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace km905 {

// Maps the face names the program draws with onto the Liberation fonts.
void installFontSubstitutions();

// Qt's offscreen platform reads fonts from one folder only, on Windows none of the system's:
// without them a report drawn offscreen has no text. Points it at the system's fonts folder
// unless QT_QPA_FONTDIR names one. Call before Qt Gui's application is made.
void useSystemFontsWhenOffscreen();

}  // namespace km905
