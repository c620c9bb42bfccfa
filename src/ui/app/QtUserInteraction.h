// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPageLayout>
#include <QPointer>
#include <QWidget>

#include "core/app/UserInteraction.h"

namespace km905 {

// The real dialogs.
class QtUserInteraction : public IUserInteraction {
  public:
    explicit QtUserInteraction(QWidget* parent) : m_parent(parent) {}
    // Dialogs stand over this window: a window manager frames a parentless one as a main
    // window, with minimise and maximise buttons.
    void setParent(QWidget* parent) { m_parent = parent; }
    void showMessage(const QString& text) override;
    bool askYesNo(const QString& text) override;
    std::optional<QString> saveFileName(const FileDialogRequest& r) override;
    std::optional<QString> openFileName(const FileDialogRequest& r) override;
    void setWaitCursor(bool on) override;
    std::optional<int> askSampleRate(int initialSecs) override;
    std::optional<YAxisChoice> askYAxis(int gainSel, int offsetSel) override;
    void openHelp(const QString& path) override;
    bool printReport(const std::vector<ReportPage>& pages) override;
    std::optional<GridShape> askGridShape(const GridShape& initial) override;
    std::optional<ReportDetails> askReportDetails(const ReportDetails& initial) override;
    std::optional<RequirementAnswer> askRequirement(const RequirementQuestion& q) override;

    // The help window while it is open.
    QWidget* helpWindow() const { return m_help; }

  private:
    bool printToPdf(const QString& path, const QPageLayout& layout, int resolution,
                    const std::vector<ReportPage>& pages);

    QWidget* m_parent;
    QPointer<QWidget> m_help;
};

}  // namespace km905
