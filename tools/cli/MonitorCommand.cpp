// SPDX-License-Identifier: GPL-3.0-or-later
// monitor: the meter's display as lines, or one CSV row per live frame, until interrupted.
#include <QDateTime>

#include "Commands.h"
#include "LiveDisplayText.h"
#include "MeterConnection.h"
#include "Report.h"

namespace km905::cli {

int runMonitor(const Arguments& args) {
    QCommandLineParser parser;
    const QCommandLineOption port(QStringLiteral("port"), QString(), QStringLiteral("N"));
    const QCommandLineOption csv(QStringLiteral("csv"), QString());
    parser.addOptions({port, csv});
    if (const std::optional<int> done = parseSubcommand(parser, args)) return *done;
    if (!parser.positionalArguments().isEmpty())
        return usageError(QStringLiteral("monitor takes no FILE"));
    std::optional<int> portNumber;
    if (!readNumber(parser, QStringLiteral("port"), 1, portNumber)) return kExitUsage;

    NoUserInteraction dialogs;
    MeterConnection meter(portNumber, dialogs);
    const ViewState& v = meter.model().view;
    const bool rows = parser.isSet(csv);
    QString last;
    meter.onLcd = [&] {
        if (rows) {
            printLine(liveCsvRow(v, QDateTime::currentDateTime()));
            return;
        }
        const QString line = displayLine(v);
        if (line != last) printLine(line);
        last = line;
    };
    // A meter that is not there yet is polled again every two seconds, as the program does.
    meter.onFace = [&] {
        if (!v.m_linkDown) return;
        const QString why = meter.openError();
        const QString offline =
            QStringLiteral("OFFLINE (%1%2)")
                .arg(meter.portText(), why.isEmpty() ? QString() : QStringLiteral(": ") + why);
        // The rows stay rows; the lines show the display, and now it is dark.
        rows ? note(offline) : printLine(offline);
        last.clear();
    };
    if (rows) printLine(liveCsvHeader());
    if (meter.open() == kExitOk)
        note(QStringLiteral("following the meter on %1").arg(meter.portText()));
    else
        note(QStringLiteral("trying again every 2 seconds"));
    meter.runUntil([] { return false; });
    meter.close();
    return kExitOk;
}

}  // namespace km905::cli
