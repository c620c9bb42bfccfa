// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QPixmap>
#include <QScrollBar>
#include <QTableWidget>
#include <QToolBar>

#include "core/app/UserInteraction.h"
#include "core/link/Timers.h"
#include "core/logger/LoggerWindow.h"

class QAction;

namespace km905 {

// "Light Datalogger Graph": the record list, the graph of the chosen record or file, its zoom
// and scroll bar, and the toolbar's commands. Paints the core's picture and forwards
// input; the mode is fixed by the model when it opens.
class CLoggerGraphDlg : public QDialog {
    Q_OBJECT
  public:
    // The original window's five, then the UTF-8 export for spreadsheets.
    enum Command { kSave, kDownload, kPrint, kZoomOut, kYAxis, kExportCsv, kCommandCount };

    CLoggerGraphDlg(MeterModel& model, IUserInteraction& ui, ITimerService& timers,
                    QWidget* parent);
    ~CLoggerGraphDlg() override;

    QTableWidget* list() const { return m_list; }
    QScrollBar* scrollBar() const { return m_scroll; }
    QAction* command(Command c) const { return m_commands[c]; }
    const LoggerWindow& core() const { return m_window; }
    // The plot rectangle of the current size, in this window's pixels.
    PlotRect plotRect() const { return loggerPlotRect(clientRect()); }

    void trigger(Command c);
    void doubleClickRow(int row);
    // Graph files read into the open window after the first (the program's file arguments).
    void openFiles(const QStringList& paths);
    // Timer ticks of this window (the drag watch).
    void timerTick(int id);
    void done(int result) override;

  protected:
    bool eventFilter(QObject* watched, QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

  private:
    ClientRect clientRect() const;
    void fillRows();
    void updateScrollBar();
    void scrollAction(int action);
    void printReport();
    void tellReadout();

    MeterModel& m_model;
    IUserInteraction& m_ui;
    ITimerService& m_timers;
    LoggerWindow m_window;
    QToolBar* m_toolBar;
    QTableWidget* m_list;
    QScrollBar* m_scroll;
    QAction* m_commands[kCommandCount] = {};
    bool m_closed = false;
};

}  // namespace km905
