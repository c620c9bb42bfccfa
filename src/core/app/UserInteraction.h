// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "core/print/ReportPage.h"
#include "core/survey/ReportDetails.h"
#include "core/survey/SurveyGrid.h"
#include "core/survey/SurveyRequirement.h"

namespace km905 {

// A save or open dialog as the program asks for it.
struct FileDialogRequest {
    QString folder;         // starting folder
    QString proposedName;   // file name without folder
    QString filter;         // "DataLogger Files (*.AsmDat)"
    QString defaultSuffix;  // "AsmDat", added to a name typed without one
};

// The requirement dialog: the areas shipped and the user's own, and the list's choice.
struct RequirementQuestion {
    std::vector<SurveyRequirement> standard;
    std::vector<SurveyRequirement> own;
    std::optional<SurveyRequirement> current;
};
// The requirement chosen (none: the list is judged against nothing) and the user's own areas
// as the dialog left them.
struct RequirementAnswer {
    std::optional<SurveyRequirement> chosen;
    std::vector<SurveyRequirement> own;
};

// The two positions the Y axis dialog returns; -1 when a list has no selection.
struct YAxisChoice {
    int gainSel = -1;
    int offsetSel = -1;
};

// Every question the program asks the user goes through here: production shows the real
// dialogs, tests answer them and keep what the user would have seen.
class IUserInteraction {
  public:
    virtual ~IUserInteraction() = default;
    virtual void showMessage(const QString& text) = 0;
    virtual bool askYesNo(const QString& text) = 0;
    virtual std::optional<QString> saveFileName(const FileDialogRequest& request) = 0;
    virtual std::optional<QString> openFileName(const FileDialogRequest& request) = 0;
    virtual void setWaitCursor(bool on) = 0;
    // The sample-rate dialog: the period in seconds as typed, or nothing on cancel.
    virtual std::optional<int> askSampleRate(int initialSecs) = 0;
    // The Y axis dialog, opened on the given list positions.
    virtual std::optional<YAxisChoice> askYAxis(int gainSel, int offsetSel) = 0;
    // The print dialog, then the page on the chosen printer; false when nothing was printed.
    virtual bool printReport(const std::vector<ReportPage>& pages) = 0;
    // Opens a help file with the system's viewer.
    virtual void openHelp(const QString& path) = 0;
    // The survey grid dialog: columns, rows and walking order. Where nobody sits, Cancel.
    virtual std::optional<GridShape> askGridShape(const GridShape& /*initial*/) {
        return std::nullopt;
    }
    // The requirement a survey is judged against. Where nobody sits, Cancel.
    virtual std::optional<RequirementAnswer> askRequirement(const RequirementQuestion& /*q*/) {
        return std::nullopt;
    }
    // A survey report's title, site and notes. Where nobody sits, Cancel.
    virtual std::optional<ReportDetails> askReportDetails(const ReportDetails& /*initial*/) {
        return std::nullopt;
    }
};

// The name a file dialog gives back, with the dialog's extension added unless it already ends
// in that extension or one of the others accepted there (any letter case).
QString withDefaultSuffix(const QString& path, const QString& suffix,
                          const QStringList& alsoAccepted = {});

}  // namespace km905
