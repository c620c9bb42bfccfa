// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <memory>

#include "CommandLine.h"

namespace km905::cli {

// The subcommands; each returns the exit status.
int runInfo(const Arguments& args);
int runExport(const Arguments& args);
int runDownload(const Arguments& args);
int runParseRaw(const Arguments& args);
int runMonitor(const Arguments& args);
int runRecord(const Arguments& args);
int runSummary(const Arguments& args);
int runReport(const Arguments& args);
int runLog(const Arguments& args);
int runPlot(const Arguments& args);

// Qt Gui's application for report, which draws text; Qt Core's for every other command.
std::unique_ptr<QCoreApplication> makeApplication(int& argc, char** argv);

}  // namespace km905::cli
