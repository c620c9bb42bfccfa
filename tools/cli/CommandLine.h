// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCommandLineParser>
#include <QStringList>
#include <optional>

namespace km905::cli {

// One subcommand's arguments: the program's name, then what follows the subcommand.
struct Arguments {
    QString program;
    QStringList rest;
    QStringList forParser() const { return QStringList(program) + rest; }
};

// Parses a subcommand's arguments (adding --help). Returns the exit status when the command
// ends here: 0 after --help, 2 after a wrong command line, which is reported.
std::optional<int> parseSubcommand(QCommandLineParser& parser, const Arguments& args);

// A whole number option of at least `least`; false (reported) when it is something else.
bool readNumber(const QCommandLineParser& parser, const QString& name, int least,
                std::optional<int>& value);

// Reports a wrong command line; returns 2.
int usageError(const QString& why);

}  // namespace km905::cli
