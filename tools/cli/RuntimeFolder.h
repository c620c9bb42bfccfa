// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace km905::cli {

// Qt Gui looks into the user's runtime folder ($XDG_RUNTIME_DIR) as it starts, and warns when
// there is none of the user's own, as under cron or su. Without one, this process gets a
// private folder of its own for its lifetime. Call before Qt Gui's application is made.
void ensureRuntimeFolder();

}  // namespace km905::cli
