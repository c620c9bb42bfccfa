// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <optional>

#include "core/survey/SurveyReport.h"

namespace km905 {

// The report as the bytes of a PDF on its paper; nothing when a page could not be drawn.
std::optional<QByteArray> surveyReportPdf(const SurveyReport& report);

}  // namespace km905
