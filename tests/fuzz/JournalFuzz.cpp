// SPDX-License-Identifier: GPL-3.0-or-later
// Whatever a crash, a disk or a newer program leaves as the recording journal: read, offered,
// restored into the view and saved as the graph file and its text export.
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "core/files/GraphFile.h"
#include "core/files/RecordingJournal.h"
#include "core/files/TextExport.h"
#include "core/realtime/JournalKeeper.h"
#include "core/session/Unattended.h"

using namespace km905;

namespace {

void check(bool ok) {
    if (!ok) __builtin_trap();
}

// The journal as found at start; what is kept aside or removed is only counted.
struct FoundJournal : IJournalFile {
    QByteArray bytes;
    bool present = true;
    int keptAside = 0;
    bool create(const QByteArray&) override { return false; }
    bool append(const QByteArray&) override { return false; }
    std::optional<QByteArray> readAll() override {
        if (!present) return std::nullopt;
        return bytes;
    }
    void remove() override { present = false; }
    std::optional<QString> keepAside() override {
        ++keptAside;
        present = false;
        return QStringLiteral("kept");
    }
};

// Says yes to the restore question and keeps the message it was shown.
struct SaysYes : NoUserInteraction {
    int questions = 0;
    int messages = 0;
    bool askYesNo(const QString&) override { return ++questions, true; }
    void showMessage(const QString&) override { ++messages; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The reader never looks past the longest recording; the file layer reads no more.
    if (size > static_cast<size_t>(kJournalMaxSize)) return 0;
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    const std::optional<JournalContents> j = readJournal(bytes);
    if (j) {
        const int n = static_cast<int>(j->samples.size());
        check(n <= kMaxSampleIndex);
        check(j->header.sampleRateMs >= 1000 && j->header.sampleRateMs % 1000 == 0);
        // Every sample read is the bytes it came from.
        QByteArray again = journalHeaderBytes(j->header);
        for (const JournalSample& s : j->samples) again += journalRecordBytes(s);
        check(again == bytes.left(kJournalHeaderSize + qsizetype{n} * kJournalRecordSize));
    }

    // A fresh model each run, copied over the last one, as the arrays are large.
    static const MeterModel pristine;
    static MeterModel model;
    model = pristine;
    FoundJournal file;
    file.bytes = bytes;
    JournalKeeper keeper(file);
    SaysYes ui;
    const bool restored = keeper.offerRestore(model, ui);
    // Offered only what reads with a sample; an unreadable whole header is kept and told.
    check(restored == (j && !j->samples.empty()));
    check(ui.questions == (restored ? 1 : 0));
    const bool unreadable = !j && size >= static_cast<size_t>(kJournalHeaderSize);
    check(file.keptAside == (unreadable ? 1 : 0) && ui.messages == file.keptAside);
    check(file.present == restored);
    if (!restored) return 0;

    const ViewState& v = model.view;
    check(v.m_sampleIndex == static_cast<int>(j->samples.size()));
    check(v.m_frameCount >= 0 && v.m_frameCount <= kMaxFrameCount);
    check(v.m_frameCount <= v.m_sampleIndex);
    for (int k = 0; k < v.m_frameCount; ++k) {
        const int slot = model.frame.m_frameSlot[static_cast<size_t>(k)];
        check(slot >= 0 && slot < v.m_sampleIndex);
    }
    (void)restoreQuestion(*j);
    // What Save writes for the restored recording.
    const GraphRecord g = graphFromRealtime(model);
    (void)writeGraphFile(g);
    (void)realtimeExport(model);
    return 0;
}
