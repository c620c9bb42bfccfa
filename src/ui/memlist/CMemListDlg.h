// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QTableWidget>

#include "core/app/UserInteraction.h"
#include "core/link/Timers.h"
#include "core/memlist/MemoryList.h"
#include "core/model/MeterState.h"
#include "core/survey/SurveySettings.h"

class QAction;
class QLabel;

namespace km905 {

class CGridMapDlg;

// "Light Data List": the memory records, with save, export, open and print.
class CMemListDlg : public QDialog {
    Q_OBJECT
  public:
    CMemListDlg(MeterModel& model, IUserInteraction& ui, const ITimerService& clock,
                const Settings& settings, QWidget* parent);
    QTableWidget* table() const { return m_table; }
    // Appends the document's records when a download or a list file brought new ones, and
    // marks them taken; says once when the meter's memory was empty.
    void fillList();
    void saveList();
    void exportCsv();  // the UTF-8 export for spreadsheets
    void openList();
    void printList();
    // The survey: the grid's shape asked for, kept with the list, and its map shown; the
    // report written as a PDF.
    void showGrid();
    void writeReport();
    // The requirement the survey is judged against, kept with the list.
    void chooseRequirement();
    QLabel* surveyLine() const { return m_surveyLine; }
    QLabel* leftOutLine() const { return m_leftOutLine; }
    QLabel* verdictLine() const { return m_verdictLine; }
    CGridMapDlg* gridMap() const;  // the open map window, if any

  private:
    void refreshSurvey();
    std::optional<SurveyRequirement> requirement() const;
    MeterModel& m_model;
    IUserInteraction& m_ui;
    const ITimerService& m_clock;
    const Settings& m_settings;
    QTableWidget* m_table;
    QLabel* m_surveyLine;
    QLabel* m_leftOutLine;
    QLabel* m_verdictLine;
    bool m_toldEmpty = false;
    MemoryList m_list;
};

}  // namespace km905
