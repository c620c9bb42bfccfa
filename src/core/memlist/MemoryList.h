// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>
#include <optional>
#include <vector>

#include "core/app/UserInteraction.h"
#include "core/link/Timers.h"
#include "core/model/MeterState.h"
#include "core/survey/SurveySettings.h"

namespace km905 {

// The memory list window's rules: which records it shows and when, the list file it shows,
// and that list's survey grid. The window only shows what this gives.
class MemoryList {
  public:
    MemoryList(MeterModel& model, IUserInteraction& ui, const ITimerService& clock,
               const Settings& settings);

    struct Taken {
        bool emptyMemory = false;       // the meter's memory was empty: say so
        std::vector<QStringList> rows;  // to append; none when nothing new came
    };
    // The records a download or a list file brought, marked taken. A download brings a
    // list no file holds yet.
    Taken takeRecords();
    // Reads a list file in place of the shown list; the user was told why when it failed.
    bool open(const QString& path);
    // Saves the list; its grid and requirement go along to the new name.
    void save();

    const QString& listPath() const { return m_model.view.m_memListPath; }
    ListGrid& grid() { return m_grid; }
    std::optional<SurveyRequirement> requirement() const { return m_grid.requirement(listPath()); }

  private:
    MeterModel& m_model;
    IUserInteraction& m_ui;
    const ITimerService& m_clock;
    const Settings& m_settings;
    ListGrid m_grid;
};

}  // namespace km905
