// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace km905::cli {

// Everything km905-cli does, its options and exit statuses.
extern const char* const kHelpText;
// "km905-cli VERSION".
const char* versionText();

}  // namespace km905::cli
