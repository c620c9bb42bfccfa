#include "UnattendedSaves.h"

#include <QDir>

#include "Report.h"
#include "files/TextExport.h"

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

std::optional<QString> UnattendedSaves::saveFileName(const FileDialogRequest& request) {
    const QString chosen =
        m_path.isEmpty() ? QDir(m_folder).filePath(request.proposedName) : m_path;
    m_lastSuffix = request.defaultSuffix;
    m_lastFile = withDefaultSuffix(chosen, request.defaultSuffix);
    m_refusedReplace = false;
    return chosen;
}

int UnattendedSaves::report(SaveOutcome outcome) const {
    switch (outcome) {
        case SaveOutcome::Saved:
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
