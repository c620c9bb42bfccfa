// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>

#include "core/link/LoggerStream.h"
#include "core/link/MeterLink.h"

namespace km905 {

namespace {
const QString kBlankBanner = QStringLiteral("        ");
}

void MeterLink::decodeMemory(const uint8_t* data, size_t size) {
    const MemoryFrame frame = decodeMemoryFrame(data, size);
    LinkState& f = m_model.frame;
    CDTDoc& doc = m_model.doc;
    f.m_memEmpty = frame.empty;
    const size_t n = std::min<size_t>(frame.records.size(), kMemCapacity);
    for (size_t k = 0; k < n; ++k) {
        const MemoryRecord& r = frame.records[k];
        doc.m_memTimes[k] = r.time;
        f.m_memRangeFactor = r.rangeFactor;
        if (r.mode) doc.m_memModes[k] = *r.mode;
        doc.m_memUnitFC[k] = r.unitFC;
        doc.m_memValues[k] = r.value;
        doc.m_memFlagB[k] = r.flagB;
    }
    doc.m_memCount = static_cast<int>(n);
    f.mode.memDownloadEnded();
    f.m_logByteCount = 0;
    m_ui.repaintProgress();
    m_model.view.m_lcdBanner = kBlankBanner;
    m_ui.repaintLcd();
    m_ui.repaintFace();
    portOperation([&] { m_comm.SetRThreshold(kLiveFrameSize); });
    m_ui.updateAllViews();
    portOperation([&] { m_comm.SetInBufferCount(0); });
}

void MeterLink::returnToLive() {
    LinkState& f = m_model.frame;
    f.mode.logDownloadEnded();
    m_ui.repaintProgress();
    m_model.view.m_lcdBanner = kBlankBanner;
    m_ui.repaintLcd();
    portOperation([&] { m_comm.SetRThreshold(kLiveFrameSize); });
    m_ui.updateAllViews();
    portOperation([&] { m_comm.SetInBufferCount(0); });
}

// Stream bytes are appended up to the announced count; a chunk may straddle the block
// the threshold asked for, and its tail belongs to the next block.
void MeterLink::appendLogBytes(const uint8_t* data, size_t size) {
    LinkGlobals& g = m_model.g;
    const int want = m_model.frame.m_logByteCount - g.g_logReceived;
    const int room = kLogBufferSize - g.g_logReceived;
    const int take = std::min({want, room, static_cast<int>(size)});
    if (take <= 0) return;
    std::copy_n(data, take, g.g_logBuffer.begin() + g.g_logReceived);
    g.g_logReceived += take;
    m_ui.logBytesStored();
}

void MeterLink::takeHeldLogBytes() {
    const LinkState& f = m_model.frame;
    if (!f.mode.logPending() || f.mode.liveMode() || m_model.g.g_logPhase == LogPhase::Idle) return;
    QByteArray held;
    if (!portOperation([&] {
            if (m_comm.GetInBufferCount() > 0) held = m_comm.GetInput();
        }))
        return;
    appendLogBytes(reinterpret_cast<const uint8_t*>(held.constData()),
                   static_cast<size_t>(held.size()));
}

// The next event is asked for at the end of the current 8000-byte block, or of the
// remainder once every whole block is in.
void MeterLink::setNextLogThreshold() {
    LinkGlobals& g = m_model.g;
    const int count = m_model.frame.m_logByteCount;
    const int whole = std::max(g.g_logBlocks, 0) * kLogBlockSize;
    int boundary = count;
    if (g.g_logReceived < whole) boundary = (g.g_logReceived / kLogBlockSize + 1) * kLogBlockSize;
    const bool inBlocks =
        g.g_logPhase == LogPhase::HeaderSeen || g.g_logPhase == LogPhase::ReceivingBlocks;
    if (whole > 0 && g.g_logReceived >= whole && inBlocks)
        g.g_logPhase = count > whole ? LogPhase::ShortBlockRequested : LogPhase::ShortBlockExpected;
    const int need = boundary - g.g_logReceived;
    if (need <= 0) return;
    portOperation([&] { m_comm.SetRThreshold(need); });
}

void MeterLink::dataloggerStep(const uint8_t* data, size_t size) {
    LinkState& f = m_model.frame;
    LinkGlobals& g = m_model.g;
    if (const auto header = decodeLogHeader(data, size); header && g.g_logPhase == LogPhase::Idle) {
        f.m_logByteCount = header->byteCount;
        m_timers.setTimer(TimerOwner::MainFrame, kTimerOpenProgress, 10);
        if (f.m_logByteCount == 0) {
            reopenAndPoll();
            returnToLive();
            m_ui.showMessage(kNoLoggerDataText);
            return;
        }
        m_model.view.m_lcdBanner = QStringLiteral("DownLoad");
        m_ui.repaintLcd();
        g.g_logBlocks = f.m_logByteCount / kLogBlockSize;
        g.g_logPhase = LogPhase::HeaderSeen;
        g.g_logReceived = 0;
        appendLogBytes(data + kLogHeaderSize, size - kLogHeaderSize);
        setNextLogThreshold();
    } else if (!f.mode.liveMode() && g.g_logPhase != LogPhase::Idle) {
        if (g.g_logPhase == LogPhase::HeaderSeen) g.g_logPhase = LogPhase::ReceivingBlocks;
        appendLogBytes(data, size);
        setNextLogThreshold();
    } else {
        return;  // not ours: a stray frame before the header
    }
    if (g.g_logReceived == f.m_logByteCount && f.m_logByteCount > 0 && !f.mode.liveMode()) {
        finishLogDownload();
        return;
    }
    if (g.g_logPhase == LogPhase::HeaderSeen) g.g_logPhase = LogPhase::ReceivingBlocks;
    if (g.g_logPhase == LogPhase::ShortBlockRequested) g.g_logPhase = LogPhase::ShortBlockExpected;
}

void MeterLink::finishLogDownload() {
    // Every announced byte is in: g_logReceived equals m_logByteCount here.
    storeLoggerStream(m_model, m_model.g.g_logBuffer.data(),
                      static_cast<size_t>(m_model.g.g_logReceived));
    m_model.g.g_logPhase = LogPhase::Idle;
    returnToLive();
}

}  // namespace km905
