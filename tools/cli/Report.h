// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include "ExitCodes.h"

namespace km905::cli {

// "km905-cli: SUBJECT: WHY" on standard error; returns the exit status to end with.
int fail(const QString& subject, const QString& why, int status = kExitFile);
// "km905-cli: TEXT" on standard error.
void note(const QString& text);
// One line on standard output, at once (scripts read it while the command runs).
void printLine(const QString& text);

}  // namespace km905::cli
