// SPDX-License-Identifier: GPL-3.0-or-later
// km905-cli: the KM905 program's files and meter from the command line.
#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>
#include <map>

#include "CommandLine.h"
#include "Commands.h"
#include "ExitCodes.h"
#include "HelpText.h"
#include "StandardOutput.h"

using namespace km905::cli;

int main(int argc, char** argv) {
#ifdef Q_OS_WIN
    useUtf8Console();
#endif
    const std::unique_ptr<QCoreApplication> application = makeApplication(argc, argv);
    QCoreApplication& app = *application;
    QCoreApplication::setApplicationName(QStringLiteral("km905-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(KM905_VERSION));

    // The subcommand's own options follow its name; only --help and --version come before.
    QCommandLineParser top;
    top.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QString());
    const QCommandLineOption version(QStringLiteral("version"), QString());
    top.addOption(help);
    top.addOption(version);
    if (!top.parse(app.arguments())) return usageError(top.errorText());
    const QStringList words = top.positionalArguments();
    if (top.isSet(help) || words.value(0) == QLatin1String("help")) {
        std::fputs(kHelpText, stdout);
        return kExitOk;
    }
    if (top.isSet(version)) {
        std::fputs(versionText(), stdout);
        return kExitOk;
    }
    if (words.isEmpty()) {
        std::fputs(kHelpText, stderr);
        return kExitUsage;
    }
    const std::map<QString, int (*)(const Arguments&)> commands{
        {QStringLiteral("info"), runInfo},         {QStringLiteral("export"), runExport},
        {QStringLiteral("download"), runDownload}, {QStringLiteral("parse-raw"), runParseRaw},
        {QStringLiteral("monitor"), runMonitor},   {QStringLiteral("record"), runRecord},
        {QStringLiteral("summary"), runSummary},   {QStringLiteral("report"), runReport},
        {QStringLiteral("log"), runLog},           {QStringLiteral("plot"), runPlot},
    };
    const auto command = commands.find(words.first());
    if (command == commands.end())
        return usageError(QStringLiteral("unknown command '%1'").arg(words.first()));
    return command->second({app.arguments().first(), words.mid(1)});
}
