// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace km905 {

// What a person writes on a survey report's first page.
struct ReportDetails {
    QString title;
    QString site;
    QString notes;  // may hold line breaks
    bool operator==(const ReportDetails&) const = default;
};

}  // namespace km905
