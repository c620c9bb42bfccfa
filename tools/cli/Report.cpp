// SPDX-License-Identifier: GPL-3.0-or-later
#include "Report.h"

#include <cstdio>

namespace km905::cli {

int fail(const QString& subject, const QString& why, int status) {
    std::fprintf(stderr, "km905-cli: %s: %s\n", qUtf8Printable(subject), qUtf8Printable(why));
    return status;
}

void note(const QString& text) {
    std::fprintf(stderr, "km905-cli: %s\n", qUtf8Printable(text));
}

void printLine(const QString& text) {
    std::printf("%s\n", qUtf8Printable(text));
    std::fflush(stdout);
}

}  // namespace km905::cli
