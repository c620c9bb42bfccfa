// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSet>
#include <QString>

#include "core/app/SaveSequences.h"
#include "core/session/Unattended.h"

namespace km905::cli {

// The program's save dialogs answered without anyone there: the name the dialog proposes, in
// one folder, or one path given. The question whether to replace a file is answered by
// --force, for files that were there before the command; a file this command wrote is never
// replaced: the next save takes "name (2)", "name (3)" and so on. Messages go to standard
// error; the sample-rate dialog answers the period given.
class UnattendedSaves : public NoUserInteraction {
  public:
    UnattendedSaves(QString folder, bool replace)
        : m_folder(std::move(folder)), m_replace(replace) {}

    void setPath(const QString& path) { m_path = path; }
    void setSampleRate(int secs) { m_sampleRateSecs = secs; }
    // The name taken instead of a proposed one made of dashes (a date the meter could not
    // give): a name that starts with "-" reads as an option to every command after.
    void setNameForUnreadableDate(const QString& name) { m_unreadableDateName = name; }
    // A file this command wrote by other means, kept from the saves too.
    void noteWritten(const QString& path);

    void showMessage(const QString& text) override;
    bool askYesNo(const QString& text) override;
    std::optional<QString> saveFileName(const FileDialogRequest& request) override;
    std::optional<int> askSampleRate(int) override { return m_sampleRateSecs; }

    // Prints the two paths a save wrote, or says why it wrote nothing; the exit status.
    int report(SaveOutcome outcome);

  private:
    QString m_folder;
    bool m_replace;
    QString m_path;  // instead of the proposed name
    std::optional<int> m_sampleRateSecs;
    QString m_lastFile;    // the file the last save went to, with its extension
    QString m_lastSuffix;  // and that extension
    bool m_refusedReplace = false;
    QString m_unreadableDateName = QStringLiteral("record");
    QSet<QString> m_written;  // absolute paths
};

}  // namespace km905::cli
