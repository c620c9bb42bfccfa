// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommandLine.h"

#include <cstdio>

#include "ExitCodes.h"
#include "HelpText.h"
#include "Report.h"

namespace km905::cli {

int usageError(const QString& why) {
    note(why + QStringLiteral(" (see --help)"));
    return kExitUsage;
}

std::optional<int> parseSubcommand(QCommandLineParser& parser, const Arguments& args) {
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QString());
    parser.addOption(help);
    if (!parser.parse(args.forParser())) return usageError(parser.errorText());
    if (parser.isSet(help)) {
        std::fputs(kHelpText, stdout);
        return kExitOk;
    }
    return std::nullopt;
}

bool readNumber(const QCommandLineParser& parser, const QString& name, int least,
                std::optional<int>& value) {
    if (!parser.isSet(name)) return true;
    bool ok = false;
    const int n = parser.value(name).toInt(&ok);
    if (!ok || n < least) {
        usageError(QStringLiteral("--%1 takes a whole number from %2 up, not '%3'")
                       .arg(name)
                       .arg(least)
                       .arg(parser.value(name)));
        return false;
    }
    value = n;
    return true;
}

}  // namespace km905::cli
