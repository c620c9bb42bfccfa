#pragma once

#include <QWidget>

#include "app/UserInteraction.h"

namespace km905 {

// The real dialogs.
class QtUserInteraction : public IUserInteraction {
  public:
    explicit QtUserInteraction(QWidget* parent) : m_parent(parent) {}
    void showMessage(const QString& text) override;
    bool askYesNo(const QString& text) override;
    std::optional<QString> saveFileName(const FileDialogRequest& r) override;
    std::optional<QString> openFileName(const FileDialogRequest& r) override;
    void setWaitCursor(bool on) override;
    std::optional<int> askSampleRate(int initialSecs) override;
    std::optional<YAxisChoice> askYAxis(int gainSel, int offsetSel) override;
    void openHelp(const QString& path) override;
    bool printReport(const std::vector<ReportPage>& pages) override;

  private:
    QWidget* m_parent;
};

}  // namespace km905
