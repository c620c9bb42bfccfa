// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace km905::cli {

// What km905-cli's exit status says; --help lists them.
enum ExitCode : int {
    kExitOk = 0,
    kExitFile = 1,               // a file cannot be read or written, or is already there
    kExitUsage = 2,              // a wrong command line
    kExitNoPort = 3,             // no port, or it cannot be opened
    kExitNoAnswer = 4,           // the meter does not answer
    kExitCut = 5,                // a download or recording cut short
    kExitLowBattery = 6,         // the meter reports a low battery
    kExitRequirementNotMet = 7,  // summary: the survey fails the requirement given
    kExitInterrupted = 130,      // Ctrl+C or SIGTERM during a download
};

}  // namespace km905::cli
