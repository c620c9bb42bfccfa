// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/app/CommandState.h"

namespace km905 {

CommandState commandState(const MeterModel& m, const RtGraphState& g) {
    CommandState c;
    c.save = c.print = c.exportCsv = m.view.m_sampleIndex != 0;
    c.open = m.view.m_logWindowShown == 0;
    c.run = m.rec.canRun();
    c.stop = m.rec.canStop();
    c.undoZoom = g.g_rtFullView() == 0;
    c.dataLogger = m.view.m_linkDown == 0;
    c.mem = true;
    return c;
}

QString portStatusText(int port, const QString& device, const QString& openError,
                       bool udevRuleInstalled) {
    const QString where = QStringLiteral("Port %1 (%2)").arg(port).arg(device);
    if (openError.isEmpty()) return where;
    QString why;
    if (openError == QLatin1String("Invalid port number")) {
        why = QStringLiteral("no such device");
    } else if (openError == QLatin1String("Permission denied")) {
#ifdef Q_OS_WIN
        (void)udevRuleInstalled;
        why = QStringLiteral("access denied");
#else
        why = udevRuleInstalled ? QStringLiteral(
                                      "permission denied - unplug and replug the meter, or add "
                                      "yourself to the dialout group")
                                : QStringLiteral(
                                      "permission denied - install the udev rule (70-km905.rules), "
                                      "or add yourself to the dialout group");
#endif
    } else if (openError == QLatin1String("Port already open")) {
        why = QStringLiteral("in use by another program");
    } else {
        why = openError.toLower();
    }
    return where + QStringLiteral(": ") + why;
}

}  // namespace km905
