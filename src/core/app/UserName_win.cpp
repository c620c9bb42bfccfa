// SPDX-License-Identifier: GPL-3.0-or-later
#include <windows.h>

#include "core/app/UserName.h"

namespace km905 {

QString userFullName() {
    // The logon name: the display name would need the directory's security library.
    wchar_t name[257];
    DWORD size = 257;
    if (!GetUserNameW(name, &size) || size == 0) return qEnvironmentVariable("USERNAME");
    return QString::fromWCharArray(name, static_cast<int>(size) - 1);
}

}  // namespace km905
