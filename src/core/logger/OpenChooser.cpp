// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/logger/OpenChooser.h"

#include "core/app/SaveSequences.h"
#include "core/app/Settings.h"
#include "core/logger/LoggerFileCommands.h"

namespace km905 {

namespace {
bool wasRead(OpenOutcome r) {
    // A file that ends early still shows what it held, as the windows' own open buttons do.
    return r == OpenOutcome::Opened || r == OpenOutcome::Truncated;
}
}  // namespace

namespace {
WindowToOpen openChosen(bool graph, const QString& chosen, MeterModel& m, IUserInteraction& ui) {
    ui.setWaitCursor(true);
    const OpenOutcome r = graph ? openGraphFile(loggerGraphPath(chosen), m, ui)
                                : openListFile(withDefaultSuffix(chosen, kListSuffix), m, ui);
    ui.setWaitCursor(false);
    if (!wasRead(r)) return WindowToOpen::None;
    if (graph) {
        m.view.m_logFromFile = 1;
        return WindowToOpen::Datalogger;
    }
    m.view.m_memListFromFile = 1;
    return WindowToOpen::MemoryList;
}
}  // namespace

WindowToOpen chooseAndOpen(ChooserButton button, MeterModel& m, IUserInteraction& ui) {
    const bool graph = button == ChooserButton::GraphFile;
    const FileDialogRequest req =
        graph ? loggerOpenRequest()
              : FileDialogRequest{Settings::dataFolder(), QString(), kListFilter, kListSuffix};
    const std::optional<QString> chosen = ui.openFileName(req);
    if (!chosen || chosen->isEmpty()) return WindowToOpen::None;
    return openChosen(graph, *chosen, m, ui);
}

namespace {
bool isGraphName(const QString& path) {
    return path.endsWith(QLatin1Char('.') + kGraphSuffix, Qt::CaseInsensitive) ||
           path.endsWith(QLatin1Char('.') + kCh4Suffix, Qt::CaseInsensitive);
}
}  // namespace

WindowToOpen openGivenFile(const QString& path, MeterModel& m, IUserInteraction& ui) {
    return openChosen(isGraphName(path), path, m, ui);
}

std::vector<GivenOpening> planGivenFiles(const QStringList& paths) {
    std::vector<GivenOpening> plan;
    std::optional<size_t> graphs;
    for (const QString& path : paths) {
        if (!isGraphName(path)) {
            plan.push_back({WindowToOpen::MemoryList, {path}});
        } else if (graphs) {
            plan[*graphs].paths << path;
        } else {
            graphs = plan.size();
            plan.push_back({WindowToOpen::Datalogger, {path}});
        }
    }
    return plan;
}

WindowToOpen openFirstGiven(GivenOpening& o, MeterModel& m, IUserInteraction& ui) {
    while (!o.paths.isEmpty()) {
        const WindowToOpen w = openGivenFile(o.paths.takeFirst(), m, ui);
        if (w != WindowToOpen::None) return w;
    }
    return WindowToOpen::None;
}

}  // namespace km905
