// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/memlist/MemoryList.h"

#include "core/app/OpenFiles.h"
#include "core/app/SaveSequences.h"
#include "core/memlist/MemoryListPages.h"

namespace km905 {

MemoryList::MemoryList(MeterModel& model, IUserInteraction& ui, const ITimerService& clock,
                       const Settings& settings)
    : m_model(model), m_ui(ui), m_clock(clock), m_settings(settings), m_grid(settings) {}

MemoryList::Taken MemoryList::takeRecords() {
    LinkState& f = m_model.frame;
    ViewState& v = m_model.view;
    Taken t;
    if (f.m_memEmpty) {
        t.emptyMemory = true;
        return t;
    }
    if (!f.mode.memWanted() && !v.m_memListLoaded) return t;
    if (f.mode.memWanted()) {
        v.m_memListPath.clear();
        m_grid.newDownload();
    }
    t.rows = memoryListRows(m_model.doc);
    f.mode.memListFilled();
    v.m_memListLoaded = false;
    return t;
}

bool MemoryList::open(const QString& path) {
    m_ui.setWaitCursor(true);
    const OpenOutcome r = openListFile(path, m_model, m_ui);
    m_ui.setWaitCursor(false);
    // A list cut short shows the records it holds, as a graph file cut short does.
    return r == OpenOutcome::Opened || r == OpenOutcome::Truncated;
}

void MemoryList::save() {
    QString saved;
    if (saveMemoryList(m_settings, m_model, m_ui, m_clock.nowSecs(), FileSteps::real(), &saved) !=
        SaveOutcome::Saved)
        return;
    m_grid.listSaved(m_model.view.m_memListPath, saved);
    m_model.view.m_memListPath = saved;
}

}  // namespace km905
