// SPDX-License-Identifier: GPL-3.0-or-later
#include <fcntl.h>
#include <io.h>

#include <cstdio>

#include "StandardOutput.h"

namespace km905::cli {

void setBinaryStandardOutput() {
    std::fflush(stdout);
    _setmode(_fileno(stdout), _O_BINARY);
}

}  // namespace km905::cli
