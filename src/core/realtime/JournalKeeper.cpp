// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/realtime/JournalKeeper.h"

#include <QDir>

#include "core/files/RecordingJournal.h"

namespace km905 {

void JournalKeeper::recordingStarted(const MeterModel& m) {
    m_written = 0;
    m_state = State::Writing;
    if (m_blocked ||
        !m_file.create(journalHeaderBytes({m.view.m_startTime, m.view.m_sampleRateMs})))
        fail();
}

void JournalKeeper::sampleStored(const MeterModel& m, int index, bool fromFrame) {
    // Records are positional: a slot out of turn would misplace every later one.
    if (m_state != State::Writing || index != m_written) return;
    if (!m_file.append(journalRecordBytes(journalSampleOf(m, index, fromFrame)))) {
        fail();
        return;
    }
    ++m_written;
}

void JournalKeeper::recordingEnded() {
    m_state = State::Idle;
    m_written = 0;
    if (!m_blocked) m_file.remove();
}

void JournalKeeper::fail() {
    // What reached the file stays: a whole-record prefix is still worth restoring.
    m_state = State::Broken;
    if (onFailed) onFailed(kJournalFailedText);
}

bool JournalKeeper::offerRestore(MeterModel& m, IUserInteraction& ui) {
    const std::optional<QByteArray> bytes = m_file.readAll();
    if (!bytes) return false;
    const std::optional<JournalContents> j = readJournal(*bytes);
    if (!j && bytes->size() >= kJournalHeaderSize) {
        if (const std::optional<QString> kept = m_file.keepAside()) {
            ui.showMessage(kJournalKeptText.arg(QDir::toNativeSeparators(*kept)));
        } else {
            m_blocked = true;
            ui.showMessage(kJournalNotKeptText);
        }
        return false;
    }
    // Too short to hold a header, or no whole sample: nothing to keep.
    if (!j || j->samples.empty() || !ui.askYesNo(restoreQuestion(*j))) {
        m_file.remove();
        return false;
    }
    restoreRecording(*j, m);
    return true;
}

}  // namespace km905
