// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/app/PortStatus.h"

#include <QDir>
#include <QFileInfo>
#include <cmath>

#include "core/model/TimeText.h"

namespace km905 {

std::optional<QString> meterClockDriftText(const LinkState& f, bool linkUp, qint64 nowSecs) {
    if (!linkUp || f.m_year < 2000) return std::nullopt;
    const std::optional<qint64> meter =
        toEpochSecs({f.m_year, f.m_month, f.m_day, f.m_hour, f.m_minute, f.m_second});
    if (!meter) return std::nullopt;
    const qint64 drift = *meter - nowSecs;
    if (std::llabs(drift) <= kClockDriftToleranceSecs) return std::nullopt;
    const qint64 minutes = (std::llabs(drift) + 30) / 60;
    return QStringLiteral("Meter clock is %1 min %2")
        .arg(minutes)
        .arg(drift > 0 ? QStringLiteral("ahead") : QStringLiteral("behind"));
}

bool udevRuleInstalled(const QStringList& ruleFolders) {
    for (const QString& folder : ruleFolders)
        if (QFileInfo::exists(QDir(folder).filePath(kUdevRuleName))) return true;
    return false;
}

}  // namespace km905
