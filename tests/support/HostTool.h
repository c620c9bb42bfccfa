// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#ifdef _WIN32
#include <process.h>
#include <QDeadlineTimer>
#include <QLibrary>
#include <QThread>
#include <vector>
#endif

namespace km905::test {

#ifdef _WIN32
namespace detail {
// Wine's own kernel32 export: the Linux path of a Windows one. Absent on Windows itself.
// (Resolved through QLibrary: windows.h would bring its near and far macros into the tests.)
using UnixNameOf = char* (*)(const wchar_t*);
inline UnixNameOf wineUnixNameOf() {
    return reinterpret_cast<UnixNameOf>(
        QLibrary::resolve(QStringLiteral("kernel32"), "wine_get_unix_file_name"));
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
    if (detail::runsLinuxTools(name)) return QStringLiteral("Z:/usr/bin/") + name;
#endif
    return name;
}

// Whether the tool is there to run at all.
inline bool hostHas(const QString& tool) {
    const QString program = hostProgram(tool);
    return QDir::isAbsolutePath(program) ? QFileInfo::exists(program)
                                         : !QStandardPaths::findExecutable(program).isEmpty();
}

// A file's path as that tool needs it: under Wine, the Linux path of the Windows one.
inline QString hostPath(const QString& path, const QString& tool = QStringLiteral("pdftotext")) {
#ifdef _WIN32
    if (!detail::runsLinuxTools(tool)) return path;
    char* unixName = detail::wineUnixNameOf()(reinterpret_cast<const wchar_t*>(
        QString(path).replace(QLatin1Char('/'), QLatin1Char('\\')).utf16()));
    if (unixName == nullptr) return path;
    // The buffer is the process heap's; a test leaves the few it asks for.
    return QString::fromUtf8(unixName);
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

// What a tool printed, and how it ended.
struct HostRun {
    bool ran = false;
    int exitCode = -1;
    QByteArray out, err;
};

inline HostRun hostRun(const QString& tool, const QStringList& args, int timeoutMs = 20000) {
    HostRun r;
#ifdef _WIN32
    // Wine gives a Linux program none of the pipes: it prints into files a shell opens.
    QTemporaryDir dir;
    if (detail::runsLinuxTools(tool) && dir.isValid()) {
        const QString out = dir.filePath(QStringLiteral("out")),
                      err = dir.filePath(QStringLiteral("err"));
        const QString status = dir.filePath(QStringLiteral("status"));
        for (const QString& f : {out, err, status}) {  // Wine names only files that are there
            QFile touch(f);
            touch.open(QIODevice::WriteOnly);
        }
        // Nor does its exit code come back: the shell writes it down.
        const QString script =
            QStringLiteral("\"$0\" \"$@\" >'%1' 2>'%2'; echo $? >'%3'")
                .arg(hostPath(out, tool), hostPath(err, tool), hostPath(status, tool));
        // QProcess never sees such a child end under Wine; the C library's spawn does.
        QList<QByteArray> words{"sh", "-c", script.toUtf8(), "/usr/bin/" + tool.toUtf8()};
        for (const QString& a : hostArgs(tool, args)) words << a.toUtf8();
        std::vector<QByteArray> quoted;
        for (QByteArray w : words) {
            if (w.contains(' ') || w.contains('"')) w = '"' + w.replace('"', "\\\"") + '"';
            quoted.push_back(w);
        }
        std::vector<const char*> argv;
        for (const QByteArray& w : quoted) argv.push_back(w.constData());
        argv.push_back(nullptr);
        // Nor does Wine wait for it: the status file, written last, says it has ended.
        QFile o(out), e(err), st(status);
        QDeadlineTimer deadline(timeoutMs);
        if (_spawnv(_P_NOWAIT, "Z:\\bin\\sh", argv.data()) != -1)
            while (QFileInfo(status).size() == 0 && !deadline.hasExpired()) QThread::msleep(20);
        QThread::msleep(20);  // the line itself, after the file appeared
        r.ran = st.open(QIODevice::ReadOnly) && st.size() > 0;
        r.exitCode = r.ran ? st.readAll().trimmed().toInt() : -1;
        if (o.open(QIODevice::ReadOnly)) r.out = o.readAll();
        if (e.open(QIODevice::ReadOnly)) r.err = e.readAll();
        return r;
    }
#endif
    QProcess p;
    p.start(hostProgram(tool), hostArgs(tool, args));
    r.ran = p.waitForFinished(timeoutMs) && p.exitStatus() == QProcess::NormalExit;
    r.exitCode = p.exitCode();
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    if (!r.ran) r.err += p.errorString().toUtf8();
    return r;
}

inline int hostExecute(const QString& tool, const QStringList& args) {
    const HostRun r = hostRun(tool, args, 60000);
    return r.ran ? r.exitCode : -1;
}

}  // namespace km905::test
