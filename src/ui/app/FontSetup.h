// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace km905 {

// Maps the face names the program draws with onto the Liberation fonts.
void installFontSubstitutions();

}  // namespace km905
