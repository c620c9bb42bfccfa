// SPDX-License-Identifier: GPL-3.0-or-later
#include "LiveDisplayText.h"

#include <QStringList>

#include "core/livelog/LogRow.h"

namespace km905::cli {

QString displayLine(const ViewState& v) {
    return QStringLiteral("%1 %2 [%3] %4 %5 %6 %7: %8  battery %9")
        .arg(v.m_lcdValue, 8)
        .arg(v.m_lcdUnit, -4)
        .arg(v.m_lcdRange)
        .arg(v.m_lcdMode, v.m_lcdHold, v.m_lcdMemFlag + v.m_lcdMemNo, v.m_lcdClockCaption,
             v.m_lcdClock, v.m_batteryText);
}

QString liveCsvHeader() {
    return QStringLiteral("time,value,unit,range,flags");
}

QString liveCsvRow(const ViewState& v, const QDateTime& when) {
    const bool overRange = v.m_lcdValue.contains(QLatin1String("OL"));
    const QStringList flags = displayFlags(v);
    const QDateTime local = when.toOffsetFromUtc(when.offsetFromUtc());
    return QStringList{local.toString(Qt::ISODateWithMs), overRange ? QString() : v.m_lcdValue,
                       v.m_lcdUnit, v.m_lcdRange, flags.join(QLatin1Char(' '))}
        .join(QLatin1Char(','));
}

}  // namespace km905::cli
