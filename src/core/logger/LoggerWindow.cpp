// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/logger/LoggerWindow.h"

namespace km905 {

LoggerWindow::LoggerWindow(MeterModel& model, IUserInteraction& ui)
    : m_model(model), m_ui(ui), m_state(openLoggerWindow(model, m_list)) {}

ListSelection LoggerWindow::doubleClick(int row) {
    zoom().fullView();
    return m_list.select(row, m_model.view, m_model.doc, m_state.m_logSelRecord,
                         m_state.m_gainValue);
}

SaveOutcome LoggerWindow::save(const FileSteps& steps) {
    return loggerSave(m_state, m_model, m_ui, steps);
}

SaveOutcome LoggerWindow::exportCsv(const FileSteps& steps) {
    return loggerExportCsv(m_state, m_model, m_ui, steps);
}

LoggerOpenResult LoggerWindow::openGraph() {
    // Back to the full view before the dialog, as the open button does.
    if (m_state.mode == LoggerMode::File) zoom().fullView();
    return loggerOpenGraph(m_state, m_list, m_model, m_ui);
}

bool LoggerWindow::openFiles(const QStringList& paths) {
    if (m_state.mode == LoggerMode::File) zoom().fullView();
    return loggerOpenGraphs(paths, m_state, m_list, m_model, m_ui);
}

bool LoggerWindow::yAxis() {
    return loggerYAxis(m_state, m_ui);
}

void LoggerWindow::close() {
    zoom().fullView();
    closeLoggerWindow(m_state, m_list, m_model);
}

bool LoggerWindow::graphShown() const {
    return loggerGraphShown(m_state.m_logSelRecord, m_model.view);
}

YLabels LoggerWindow::fullViewLabels() const {
    return km905::fullViewLabels(m_state.m_gainValue, m_state.m_offsetSteps);
}

LoggerGraphPicture LoggerWindow::picture(const ClientRect& client) const {
    return loggerGraphPicture(m_zoom, m_model.doc, graphShown(), fullViewLabels(), client);
}

std::optional<int> LoggerWindow::prepareScroll(const ClientRect& client) {
    if (!graphShown()) return std::nullopt;
    return enterLoggerLevelScroll(m_zoom, m_model.doc, fullViewLabels(), loggerPlotRect(client));
}

bool LoggerWindow::mouseMove(int x, int y, const ClientRect& client) {
    return zoom().mouseMove(x, y, client, graphShown(), fullViewLabels());
}

bool LoggerWindow::leftUp(int x, int y, const ClientRect& client) {
    return zoom().leftUp(x, y, client, graphShown(), fullViewLabels());
}

}  // namespace km905
