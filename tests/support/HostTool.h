// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDir>
#include <QProcess>
#include <QString>
#include <QStringList>

#ifdef _WIN32
#include <windows.h>
#include <QStandardPaths>
#endif

namespace km905::test {

#ifdef _WIN32
namespace detail {
// Wine's own kernel32 export: the Linux path of a Windows one. Absent on Windows itself.
using UnixNameOf = char*(CDECL*)(const wchar_t*);
inline UnixNameOf wineUnixNameOf() {
    return reinterpret_cast<UnixNameOf>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
}
inline bool runsLinuxTools(const QString& name) {
    return QStandardPaths::findExecutable(name).isEmpty() && wineUnixNameOf() != nullptr;
}
}  // namespace detail
#endif

// A tool the tests read the program's output with (poppler's pdftotext, pdfinfo, pdftoppm):
// by name, as found on the PATH; a Windows test under Wine without its own copy runs Linux's.
inline QString hostProgram(const QString& name) {
#ifdef _WIN32
    if (detail::runsLinuxTools(name)) return QStringLiteral("/usr/bin/") + name;
#endif
    return name;
}

// A file's path as that tool needs it: under Wine, the Linux path of the Windows one.
inline QString hostPath(const QString& path, const QString& tool = QStringLiteral("pdftotext")) {
#ifdef _WIN32
    if (!detail::runsLinuxTools(tool)) return path;
    char* unixName = detail::wineUnixNameOf()(reinterpret_cast<const wchar_t*>(
        QString(path).replace(QLatin1Char('/'), QLatin1Char('\\')).utf16()));
    if (unixName == nullptr) return path;
    const QString converted = QString::fromUtf8(unixName);
    HeapFree(GetProcessHeap(), 0, unixName);
    return converted;
#else
    (void)tool;
    return path;
#endif
}

// A tool's arguments, each absolute path among them as the tool needs it.
inline QStringList hostArgs(const QString& tool, QStringList args) {
    for (QString& a : args)
        if (QDir::isAbsolutePath(a)) a = hostPath(a, tool);
    return args;
}

inline void hostStart(QProcess& process, const QString& tool, const QStringList& args) {
    process.start(hostProgram(tool), hostArgs(tool, args));
}

inline int hostExecute(const QString& tool, const QStringList& args) {
    return QProcess::execute(hostProgram(tool), hostArgs(tool, args));
}

}  // namespace km905::test
