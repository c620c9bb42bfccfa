// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QMap>
#include <QProcess>
#include <QString>
#include <QStringList>

#include "HostTool.h"

namespace km905::test {

// What poppler's pdfinfo reads in a PDF: its fields ("Title" -> "Hall B") and its complaints
// (a cross-reference table that points beside its objects is one).
struct PdfInfo {
    QMap<QString, QString> fields;
    QString errors;
};

inline PdfInfo pdfInfo(const QString& path) {
    const HostRun p = hostRun(QStringLiteral("pdfinfo"), {path});
    PdfInfo info;
    if (!p.ran) {
        info.errors = QStringLiteral("pdfinfo did not run");
        return info;
    }
    for (const QString& line : QString::fromUtf8(p.out).split('\n')) {
        const qsizetype colon = line.indexOf(QLatin1Char(':'));
        if (colon > 0) info.fields[line.left(colon)] = line.mid(colon + 1).trimmed();
    }
    info.errors = QString::fromUtf8(p.err);
    return info;
}

// The objects of a PDF that its cross-reference table misses ("7 at 1234"), or what is wrong
// with the table itself; readers tolerate both, so pdfinfo says nothing of them.
inline QStringList misplacedObjects(const QByteArray& pdf) {
    const qsizetype startxref = pdf.lastIndexOf("startxref");
    if (startxref < 0) return {QStringLiteral("no startxref")};
    const qsizetype xref = pdf.mid(startxref + 9).trimmed().split('\n').value(0).toLongLong();
    if (pdf.mid(xref, 5) != "xref\n") return {QStringLiteral("no table at startxref")};
    const QList<QByteArray> lines = pdf.mid(xref).split('\n');
    const QList<QByteArray> section = lines.value(1).split(' ');
    const int first = section.value(0).toInt(), count = section.value(1).toInt();
    QStringList missed;
    for (int i = 0; i < count; ++i) {
        const QByteArray entry = lines.value(2 + i);
        const qsizetype offset = entry.left(10).toLongLong();
        const QByteArray header = QByteArray::number(first + i) + " 0 obj";
        if (entry.mid(17, 1) == "n" && pdf.mid(offset, header.size()) != header)
            missed << QStringLiteral("%1 at %2").arg(first + i).arg(offset);
    }
    return missed;
}

// The user as the system's own tools tell it: the full name of the passwd entry (before any
// comma), else the login name.
// On Windows, the logon name, which the system keeps in USERNAME.
inline QString loginFullName() {
#ifdef _WIN32
    return qEnvironmentVariable("USERNAME");
#else
    auto output = [](const QString& program, const QStringList& args) {
        QProcess p;
        p.start(program, args);
        p.waitForFinished(20000);
        return QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed();
    };
    const QString login = output(QStringLiteral("id"), {QStringLiteral("-un")});
    const QString gecos = output(QStringLiteral("getent"), {QStringLiteral("passwd"), login})
                              .section(QLatin1Char(':'), 4, 4)
                              .section(QLatin1Char(','), 0, 0)
                              .trimmed();
    return gecos.isEmpty() ? login : gecos;
#endif
}

}  // namespace km905::test
