// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace km905 {

// Who the documents the program writes are by: the login's full name where the system keeps
// one, else the login name; empty when neither is known.
QString userFullName();

}  // namespace km905
