// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/logger/LoggerFileCommands.h"
#include "core/logger/LoggerGraph.h"
#include "core/logger/LoggerRecordList.h"
#include "core/logger/LoggerWindowState.h"

namespace km905 {

// What the datalogger window asks of the core, for as long as it is open: the window paints
// the rows and the displayed-graph record and forwards its input here.
class LoggerWindow {
  public:
    // The opening steps (mode, Y scale from the settings file, the first rows).
    LoggerWindow(MeterModel& model, IUserInteraction& ui);

    const LoggerWindowState& state() const { return m_state; }
    const LoggerRecordList& list() const { return m_list; }
    std::vector<QStringList> rows() const { return m_list.rows(); }

    // Rows that came since the last call (a download's records, a file read elsewhere).
    bool syncList() { return syncLoggerList(m_model, m_list); }
    ListSelection doubleClick(int row);
    SaveOutcome save(const FileSteps& steps = FileSteps::real());
    SaveOutcome exportCsv(const FileSteps& steps = FileSteps::real());
    LoggerOpenResult openGraph();
    // Further graph files the program was started with; true when rows were added.
    bool openFiles(const QStringList& paths);
    bool yAxis();
    // The closing steps; the window is gone afterwards.
    void close();

    // The graph: its picture (changes nothing), the scroll position of a newly entered zoom
    // level (the thumb to set, once per level), and the input that moves it.
    bool graphShown() const;
    YLabels fullViewLabels() const;
    LoggerGraphPicture picture(const ClientRect& client) const;
    std::optional<int> prepareScroll(const ClientRect& client);
    const LoggerZoomState& zoomState() const { return m_zoom; }
    LoggerZoom zoom() { return LoggerZoom(m_zoom, m_model.doc); }
    void leftDown(int x, int y, const ClientRect& client) { zoom().leftDown(x, y, client); }
    bool mouseMove(int x, int y, const ClientRect& client);
    bool leftUp(int x, int y, const ClientRect& client);
    bool dragWatch(int x, int y, const ClientRect& client) {
        return zoom().dragWatch(x, y, client);
    }
    void zoomOut() { zoom().fullView(); }
    int scrollTo(int thumb) { return zoom().scrollTo(thumb); }

  private:
    MeterModel& m_model;
    IUserInteraction& m_ui;
    LoggerRecordList m_list;
    LoggerWindowState m_state;
    LoggerZoomState m_zoom;
};

}  // namespace km905
