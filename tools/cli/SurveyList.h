// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>

#include "core/model/MeterState.h"

namespace km905::cli {

// A memory list file read into a document, as the memory list window holds it; nothing (and
// the failure reported) when the file is not a list.
std::optional<CDTDoc> readSurveyList(const QString& path, int* status);

}  // namespace km905::cli
