#pragma once

#include <functional>

#include "app/UserInteraction.h"
#include "files/JournalFile.h"
#include "link/RecordingSink.h"

namespace km905 {

inline const QString kJournalFailedText = QStringLiteral(
    "The recording could not be written to its journal: Save it before closing to keep it.");

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
    // restores it and keeps the file until the restored recording ends normally; No, an
    // unreadable header or no whole sample removes it. True when restored.
    bool offerRestore(MeterModel& m, IUserInteraction& ui);

    std::function<void(const QString& text)> onFailed;

  private:
    void fail();

    enum class State { Idle, Writing, Broken };
    IJournalFile& m_file;
    State m_state = State::Idle;
    int m_written = 0;  // records in the file; the next stored slot must be this one
};

}  // namespace km905
