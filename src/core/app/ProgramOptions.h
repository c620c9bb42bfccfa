// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCommandLineParser>
#include <QStringList>
#include <cstdio>
#include <optional>

namespace km905 {

// What a program says of itself on --help and --version.
struct ProgramInfo {
    const char* name;        // as typed: "km905"
    const char* version;     // the project's version
    QString description;     // under the usage line
    QString moreHelp;        // after the options
    QString filesHelp = {};  // set: the program takes any number of FILE arguments
};

#ifdef Q_OS_WIN
// The wide command line: a file name in any script reaches the program whole.
QStringList wideArgumentList();
#endif

inline QStringList argumentList(int argc, char** argv) {
#ifdef Q_OS_WIN
    (void)argc;
    (void)argv;
    return wideArgumentList();
#else
    QStringList args;
    for (int i = 0; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
    return args;
#endif
}

// The file arguments the program was given, when its ProgramInfo takes them.
inline QStringList givenFiles(const QCommandLineParser& parser) {
    return parser.positionalArguments();
}

// A wrong command line: one line on standard error, and exit status 2 as usual for usage errors.
inline int optionError(const char* name, const QString& text) {
    std::fprintf(stderr, "%s: %s\nTry '%s --help' for more information.\n", name, qPrintable(text),
                 name);
    return 2;
}

// "N" of an option that takes a whole number from lo to hi.
inline std::optional<int> wholeNumberIn(const QString& text, int lo, int hi) {
    bool ok = false;
    const int n = text.toInt(&ok);
    if (!ok || n < lo || n > hi) return std::nullopt;
    return n;
}

// Parses the command line the same way in every program, before anything reaches a display:
// --help and --version print on standard output and end with status 0, an unknown option or a
// stray argument ends with status 2. File arguments are not looked at here: a file that cannot
// be read is told in the program's window. Returns the status when the program ends here.
inline std::optional<int> parseProgramOptions(QCommandLineParser& parser, const QStringList& args,
                                              const ProgramInfo& program) {
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help and exit."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Show the version and exit."));
    parser.addOption(help);
    parser.addOption(version);
    parser.setApplicationDescription(program.description);
    const bool takesFiles = !program.filesHelp.isEmpty();
    if (takesFiles)
        parser.addPositionalArgument(QStringLiteral("FILE"), program.filesHelp,
                                     QStringLiteral("[FILE...]"));
    if (!parser.parse(args)) return optionError(program.name, parser.errorText());
    if (parser.isSet(help)) {
        // The usage line names the program as typed, not the path it was started by.
        QString text = parser.helpText();
        text.replace(0, text.indexOf(QLatin1Char('\n')),
                     QStringLiteral("Usage: %1 [options]%2")
                         .arg(QLatin1String(program.name),
                              takesFiles ? QStringLiteral(" [FILE...]") : QString()));
        if (!program.moreHelp.isEmpty()) text += QLatin1Char('\n') + program.moreHelp;
        std::fputs(qPrintable(text), stdout);
        return 0;
    }
    if (parser.isSet(version)) {
        std::printf("%s %s\n", program.name, program.version);
        return 0;
    }
    const QStringList rest = parser.positionalArguments();
    if (!takesFiles && !rest.isEmpty())
        return optionError(program.name,
                           QStringLiteral("unexpected argument '%1'.").arg(rest.first()));
    return std::nullopt;
}

}  // namespace km905
