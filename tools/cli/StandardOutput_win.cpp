// SPDX-License-Identifier: GPL-3.0-or-later
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>

#include "StandardOutput.h"

namespace km905::cli {

void setBinaryStandardOutput() {
    std::fflush(stdout);
    _setmode(_fileno(stdout), _O_BINARY);
}

void useUtf8Console() {
    SetConsoleOutputCP(CP_UTF8);
}

}  // namespace km905::cli
