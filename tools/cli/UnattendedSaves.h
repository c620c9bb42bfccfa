#pragma once

#include <QString>

#include "app/SaveSequences.h"
#include "session/Unattended.h"

namespace km905::cli {

// The program's save dialogs answered without anyone there: the name the dialog proposes, in
// one folder, or one path given. The question whether to replace a file is answered by
// --force; messages go to standard error; the sample-rate dialog answers the period given.
class UnattendedSaves : public NoUserInteraction {
  public:
    UnattendedSaves(QString folder, bool replace)
        : m_folder(std::move(folder)), m_replace(replace) {}

    void setPath(const QString& path) { m_path = path; }
    void setSampleRate(int secs) { m_sampleRateSecs = secs; }

    void showMessage(const QString& text) override;
    bool askYesNo(const QString& text) override;
    std::optional<QString> saveFileName(const FileDialogRequest& request) override;
    std::optional<int> askSampleRate(int) override { return m_sampleRateSecs; }

    // Prints the two paths a save wrote, or says why it wrote nothing; the exit status.
    int report(SaveOutcome outcome) const;

  private:
    QString m_folder;
    bool m_replace;
    QString m_path;  // instead of the proposed name
    std::optional<int> m_sampleRateSecs;
    QString m_lastFile;    // the file the last save went to, with its extension
    QString m_lastSuffix;  // and that extension
    bool m_refusedReplace = false;
};

}  // namespace km905::cli
