#pragma once

#include <QStringList>
#include <deque>

#include "app/UserInteraction.h"

namespace km905::test {

// Answers dialogs from a script and keeps what the user was shown.
struct RecordingInteraction : IUserInteraction {
    QStringList messages;
    QStringList questions;
    std::deque<bool> answers;         // for askYesNo, default No
    std::deque<QString> fileAnswers;  // for both file dialogs; "" or none left = Cancel
    std::vector<FileDialogRequest> dialogs;
    int waitCursorOn = 0;

    void showMessage(const QString& t) override { messages << t; }
    bool askYesNo(const QString& t) override {
        questions << t;
        if (answers.empty()) return false;
        const bool a = answers.front();
        answers.pop_front();
        return a;
    }
    std::optional<QString> saveFileName(const FileDialogRequest& r) override { return file(r); }
    std::optional<QString> openFileName(const FileDialogRequest& r) override { return file(r); }
    void setWaitCursor(bool on) override { waitCursorOn += on ? 1 : 0; }

  private:
    std::optional<QString> file(const FileDialogRequest& r) {
        dialogs.push_back(r);
        if (fileAnswers.empty()) return std::nullopt;
        const QString a = fileAnswers.front();
        fileAnswers.pop_front();
        if (a.isEmpty()) return std::nullopt;
        return a;
    }
};

}  // namespace km905::test
