#pragma once

#include <QString>

#include "model/MeterState.h"

namespace km905::cli {

// The datalogger bytes received so far (g_logBuffer), kept in a file; the exit status.
int keepRawStream(const QString& path, const LinkGlobals& g);

}  // namespace km905::cli
