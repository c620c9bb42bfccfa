#include "logger/OpenChooser.h"

#include "app/SaveSequences.h"
#include "app/Settings.h"
#include "logger/LoggerFileCommands.h"

namespace km905 {

namespace {
bool wasRead(OpenOutcome r) {
    // A file that ends early still shows what it held, as the windows' own open buttons do.
    return r == OpenOutcome::Opened || r == OpenOutcome::Truncated;
}
}  // namespace

WindowToOpen chooseAndOpen(ChooserButton button, MeterModel& m, IUserInteraction& ui) {
    const bool graph = button == ChooserButton::GraphFile;
    const FileDialogRequest req =
        graph ? loggerOpenRequest()
              : FileDialogRequest{Settings::dataFolder(), QString(), kListFilter, kListSuffix};
    const std::optional<QString> chosen = ui.openFileName(req);
    if (!chosen || chosen->isEmpty()) return WindowToOpen::None;
    ui.setWaitCursor(true);
    const OpenOutcome r = graph ? openGraphFile(loggerGraphPath(*chosen), m, ui)
                                : openListFile(withDefaultSuffix(*chosen, kListSuffix), m, ui);
    ui.setWaitCursor(false);
    if (!wasRead(r)) return WindowToOpen::None;
    if (graph) {
        m.view.m_logFromFile = 1;
        return WindowToOpen::Datalogger;
    }
    m.view.m_memListFromFile = 1;
    return WindowToOpen::MemoryList;
}

}  // namespace km905
