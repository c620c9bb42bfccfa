// SPDX-License-Identifier: GPL-3.0-or-later
#include <windows.h>
// after windows.h, which it needs
#include <shellapi.h>

#include "core/app/ProgramOptions.h"

namespace km905 {

QStringList wideArgumentList() {
    QStringList args;
    int n = 0;
    if (LPWSTR* w = CommandLineToArgvW(GetCommandLineW(), &n)) {
        for (int i = 0; i < n; ++i) args << QString::fromWCharArray(w[i]);
        LocalFree(w);
    }
    return args;
}

}  // namespace km905
