// SPDX-License-Identifier: GPL-3.0-or-later
#include "LoggerRecordFiles.h"

#include "Report.h"
#include "core/logger/LoggerWindow.h"

namespace km905::cli {

int saveLoggerRecords(MeterModel& model, UnattendedSaves& saves, const Settings& settings) {
    LoggerWindow window(model, saves, settings);
    const int records = usableRecordCount(model.doc);
    if (records == 0) note(QStringLiteral("the datalogger holds no records; nothing saved"));
    int status = kExitOk;
    for (int row = 0; row < records; ++row) {
        window.doubleClick(row);
        // The window would ask to choose a record first; there is nothing to save.
        if (model.doc.fileCount() == 0) {
            note(QStringLiteral("record %1 holds no readings; nothing saved").arg(row + 1));
            continue;
        }
        saves.setNameForUnreadableDate(QStringLiteral("record %1").arg(row + 1));
        status = std::max(status, saves.report(window.save()));
    }
    window.close();
    return status;
}

}  // namespace km905::cli
