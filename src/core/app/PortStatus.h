// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "core/model/MeterState.h"

namespace km905 {

// Beyond this the status bar says how far the meter's clock is off: the datalogger's start
// times come from that clock.
inline constexpr qint64 kClockDriftToleranceSecs = 120;

// "Meter clock is N min ahead" / "behind", or nothing while it is within the tolerance, while
// no live frame has brought the clock, or when the clock holds no real date.
std::optional<QString> meterClockDriftText(const LinkState& frame, bool linkUp, qint64 nowSecs);

// Whether the rule that lets the user at the seat open the meter's bridge is installed.
bool udevRuleInstalled(const QStringList& ruleFolders = {QStringLiteral("/etc/udev/rules.d"),
                                                         QStringLiteral("/run/udev/rules.d"),
                                                         QStringLiteral("/lib/udev/rules.d"),
                                                         QStringLiteral("/usr/lib/udev/rules.d")});
inline const QString kUdevRuleName = QStringLiteral("70-km905.rules");

}  // namespace km905
