// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProgressBar.h"

#include <algorithm>
#include <cstdio>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace km905::cli {

namespace {
constexpr int kWidth = 40;
}

ProgressBar::ProgressBar(QString label) : m_label(std::move(label)) {
#ifdef Q_OS_UNIX
    m_terminal = ::isatty(STDERR_FILENO) == 1;
#endif
}

void ProgressBar::show(int position, int total) {
    if (!m_terminal || total <= 0) return;
    const int shown = std::clamp(position, 0, total);
    const int filled = static_cast<int>(static_cast<qint64>(shown) * kWidth / total);
    const int percent = static_cast<int>(static_cast<qint64>(shown) * 100 / total);
    if (filled == m_lastFilled && percent == m_lastPercent) return;
    m_lastFilled = filled;
    m_lastPercent = percent;
    const QString bar =
        QString(filled, QLatin1Char('#')) + QString(kWidth - filled, QLatin1Char('.'));
    std::fprintf(stderr, "\r%s [%s] %3d%%", qUtf8Printable(m_label), qUtf8Printable(bar), percent);
    std::fflush(stderr);
    m_drawn = true;
}

void ProgressBar::finish() {
    if (!m_drawn) return;
    std::fputc('\n', stderr);
    m_drawn = false;
    m_lastFilled = m_lastPercent = -1;
}

}  // namespace km905::cli
