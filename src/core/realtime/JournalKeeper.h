// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

#include "core/app/UserInteraction.h"
#include "core/files/JournalFile.h"
#include "core/link/RecordingSink.h"

namespace km905 {

inline const QString kJournalFailedText = QStringLiteral(
    "The recording could not be written to its journal: Save it before closing to keep it.");
// A journal whose header this program cannot read may be a newer program's: it is kept.
inline const QString kJournalKeptText = QStringLiteral(
    "A recording journal left behind could not be read; a newer version of KM905 may have "
    "written it. Nothing was restored, and the journal was kept as %1.");
inline const QString kJournalNotKeptText = QStringLiteral(
    "A recording journal left behind could not be read; a newer version of KM905 may have "
    "written it. Nothing was restored. It could not be moved aside either, so it stays where "
    "it is and recordings of this run keep no journal: save them before closing.");

// Keeps the running recording in the journal file as it grows, removes it at a normal end
// and offers it back after a crash. Nothing here ever stops or slows the recording: a write
// that fails ends the journal of that recording, and is told once through onFailed.
class JournalKeeper : public IRecordingSink {
  public:
    explicit JournalKeeper(IJournalFile& file) : m_file(file) {}

    void recordingStarted(const MeterModel& m) override;
    void sampleStored(const MeterModel& m, int index, bool fromFrame) override;
    void recordingEnded() override;

    // At start: a journal left behind is offered back through the user's yes or no. Yes
    // restores it and keeps the file until the restored recording ends normally; No, or a
    // journal without a whole sample, removes it. A whole header that does not read is kept
    // aside under a new name and the user is told. True when restored.
    bool offerRestore(MeterModel& m, IUserInteraction& ui);

    std::function<void(const QString& text)> onFailed;

  private:
    void fail();

    enum class State { Idle, Writing, Broken };
    IJournalFile& m_file;
    State m_state = State::Idle;
    int m_written = 0;       // records in the file; the next stored slot must be this one
    bool m_blocked = false;  // an unreadable journal could not be moved out of the way
};

}  // namespace km905
