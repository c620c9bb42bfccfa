// SPDX-License-Identifier: GPL-3.0-or-later
#include "UnattendedSaves.h"

#include <QDir>

#include "Report.h"
#include "core/files/TextExport.h"

namespace km905::cli {

void UnattendedSaves::showMessage(const QString& text) {
    note(text);
}

bool UnattendedSaves::askYesNo(const QString& text) {
    // The only question a save asks is whether to replace the file.
    if (text == replaceQuestionText(QFileInfo(m_lastFile).fileName())) {
        m_refusedReplace = !m_replace;
        return m_replace;
    }
    return false;
}

void UnattendedSaves::noteWritten(const QString& path) {
    m_written.insert(QFileInfo(path).absoluteFilePath());
}

std::optional<QString> UnattendedSaves::saveFileName(const FileDialogRequest& request) {
    QString name = request.proposedName;
    if (name.startsWith(QLatin1Char('-'))) name = m_unreadableDateName;
    const QString& suffix = request.defaultSuffix;
    const QString chosen =
        withDefaultSuffix(m_path.isEmpty() ? QDir(m_folder).filePath(name) : m_path, suffix);
    const QString stem = chosen.chopped(suffix.size() + 1);
    QString path = chosen;
    auto writtenHere = [&](const QString& file) {
        return m_written.contains(QFileInfo(file).absoluteFilePath());
    };
    for (int n = 2; writtenHere(path) || writtenHere(exportPathFor(path, suffix)); ++n)
        path = QStringLiteral("%1 (%2).%3").arg(stem).arg(n).arg(suffix);
    m_lastSuffix = suffix;
    m_lastFile = path;
    m_refusedReplace = false;
    return path;
}

int UnattendedSaves::report(SaveOutcome outcome) {
    switch (outcome) {
        case SaveOutcome::Saved:
            noteWritten(m_lastFile);
            noteWritten(exportPathFor(m_lastFile, m_lastSuffix));
            printLine(m_lastFile);
            printLine(exportPathFor(m_lastFile, m_lastSuffix));
            return kExitOk;
        case SaveOutcome::Cancelled:
            if (m_refusedReplace)
                return fail(m_lastFile, QStringLiteral("already exists; --force replaces it"));
            return fail(m_lastFile, QStringLiteral("not saved"));
        case SaveOutcome::Failed:  // the reason was shown as the program shows it
        case SaveOutcome::NotAllowed:
            return kExitFile;
    }
    return kExitFile;
}

}  // namespace km905::cli
