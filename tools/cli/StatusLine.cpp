// SPDX-License-Identifier: GPL-3.0-or-later
#include "StatusLine.h"

#include <cstdio>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace km905::cli {

StatusLine::StatusLine() {
#ifdef Q_OS_UNIX
    m_terminal = ::isatty(STDERR_FILENO) == 1;
#endif
}

void StatusLine::show(const QString& text) {
    if (!m_terminal) return;
    std::fprintf(stderr, "\r\033[K%s", qUtf8Printable(text));
    std::fflush(stderr);
    m_drawn = true;
}

void StatusLine::clear() {
    if (!m_drawn) return;
    std::fputs("\r\033[K", stderr);
    std::fflush(stderr);
    m_drawn = false;
}

}  // namespace km905::cli
