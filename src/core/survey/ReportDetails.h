// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace km905 {

// What a person writes on a survey report's first page.
struct ReportDetails {
    QString title;
    QString site;
    QString notes;  // may hold line breaks
    // The room and the survey's conditions; 0 or empty when not given.
    double roomLength = 0, roomWidth = 0;  // metres
    double planeHeight = 0;                // the working plane above the floor, metres
    QString meterId{};                     // the meter's serial or asset number
    bool operator==(const ReportDetails&) const = default;
};

}  // namespace km905
