// SPDX-License-Identifier: GPL-3.0-or-later
#include "RuntimeFolder.h"

namespace km905::cli {

// Windows has no runtime folder to look for.
void ensureRuntimeFolder() {}

}  // namespace km905::cli
