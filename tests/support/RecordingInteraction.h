// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>
#include <climits>
#include <deque>
#include <functional>
#include <vector>

#include "core/app/UserInteraction.h"

namespace km905::test {

// Answers dialogs from a script and keeps what the user was shown.
struct RecordingInteraction : IUserInteraction {
    QStringList messages;
    QStringList questions;
    std::deque<bool> answers;         // for askYesNo, default No
    std::deque<QString> fileAnswers;  // for both file dialogs; "" or none left = Cancel
    // A file answer that accepts the dialog's proposed name as it stands.
    static inline const QString kAcceptProposed = QStringLiteral("<accept proposed>");
    std::vector<FileDialogRequest> dialogs;
    std::vector<bool> waitCursor;  // every change of the wait cursor, in order: true = on
    static constexpr int kCancel = INT_MIN;
    std::deque<int> rateAnswers;           // kCancel or none left = Cancel
    std::vector<int> rateShown;            // what the dialog opened with
    std::deque<YAxisChoice> yAxisAnswers;  // none left = Cancel
    std::vector<std::pair<int, int>> yAxisShown;
    QStringList helpOpened;

    // Runs while a message is on screen, as the box's own event loop would.
    std::function<void(const QString&)> whileShown;
    void showMessage(const QString& t) override {
        messages << t;
        if (whileShown) whileShown(t);
    }
    bool askYesNo(const QString& t) override {
        questions << t;
        if (answers.empty()) return false;
        const bool a = answers.front();
        answers.pop_front();
        return a;
    }
    std::optional<QString> saveFileName(const FileDialogRequest& r) override { return file(r); }
    std::optional<QString> openFileName(const FileDialogRequest& r) override { return file(r); }
    void setWaitCursor(bool on) override { waitCursor.push_back(on); }
    std::optional<int> askSampleRate(int initial) override {
        rateShown.push_back(initial);
        if (rateAnswers.empty()) return std::nullopt;
        const int a = rateAnswers.front();
        rateAnswers.pop_front();
        if (a == kCancel) return std::nullopt;
        return a;
    }
    std::optional<YAxisChoice> askYAxis(int gainSel, int offsetSel) override {
        yAxisShown.emplace_back(gainSel, offsetSel);
        if (yAxisAnswers.empty()) return std::nullopt;
        const YAxisChoice a = yAxisAnswers.front();
        yAxisAnswers.pop_front();
        return a;
    }
    void openHelp(const QString& path) override { helpOpened << path; }
    std::deque<std::optional<GridShape>> gridAnswers;  // nullopt or none left = Cancel
    std::vector<GridShape> gridShown;
    std::optional<GridShape> askGridShape(const GridShape& initial) override {
        gridShown.push_back(initial);
        return next(gridAnswers);
    }
    std::deque<std::optional<ReportDetails>> detailsAnswers;  // likewise
    std::vector<ReportDetails> detailsShown;
    std::optional<ReportDetails> askReportDetails(const ReportDetails& initial) override {
        detailsShown.push_back(initial);
        return next(detailsAnswers);
    }
    std::deque<std::optional<RequirementAnswer>> requirementAnswers;  // likewise
    std::vector<RequirementQuestion> requirementShown;
    std::optional<RequirementAnswer> askRequirement(const RequirementQuestion& q) override {
        requirementShown.push_back(q);
        return next(requirementAnswers);
    }
    std::vector<ReportPage> printed;
    bool printReport(const std::vector<ReportPage>& pages) override {
        printed.insert(printed.end(), pages.begin(), pages.end());
        ++printJobs;
        return true;
    }
    int printJobs = 0;

  private:
    template <typename T>
    static std::optional<T> next(std::deque<std::optional<T>>& answers) {
        if (answers.empty()) return std::nullopt;
        const std::optional<T> a = answers.front();
        answers.pop_front();
        return a;
    }
    std::optional<QString> file(const FileDialogRequest& r) {
        dialogs.push_back(r);
        if (fileAnswers.empty()) return std::nullopt;
        const QString a = fileAnswers.front();
        fileAnswers.pop_front();
        if (a.isEmpty()) return std::nullopt;
        if (a == kAcceptProposed) return r.folder + QLatin1Char('/') + r.proposedName;
        return a;
    }
};

}  // namespace km905::test
