// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>

#include "core/link/MeterLink.h"
#include "core/model/TimeText.h"

namespace km905 {

void MeterLink::onComm() {
    m_model.doc.m_curIndex = m_model.view.m_sampleIndex;
    bool received = false;
    if (!portOperation([&] {
            received = m_comm.GetCommEvent() == kCommEventReceive;
            if (received)
                m_model.frame.m_input = m_comm.GetInput();
            else
                m_comm.SetInBufferCount(0);
        }) ||
        !received)
        return;
    const qint64 now = m_timers.nowSecs();
    const QByteArray input = m_model.frame.m_input;
    const auto* data = reinterpret_cast<const uint8_t*>(input.constData());
    const size_t size = static_cast<size_t>(input.size());

    LinkState& f = m_model.frame;
    if (f.mode.liveMode()) {
        if (startsWith(data, size, 0xAA, 0xDD)) decodeLive(data, size, now);
        pollStep(data, size);
    }
    if (startsWith(data, size, 0xBB, 0x88) && f.mode.memPending()) decodeMemory(data, size);
    if (f.mode.logPending()) dataloggerStep(data, size);

    if (m_model.view.m_frameCount >= kMaxFrameCount ||
        m_model.view.m_sampleIndex >= kMaxSampleIndex)
        m_model.rec.stopRecording();
}

namespace {

// The range and unit of the frame before this one, to see what changed.
struct PreviousRange {
    uint8_t rangeCode;
    uint8_t unitFC;
};

// A short frame is incomplete: the next poll's answer brings a whole one.
std::optional<LiveFrame> wholeLiveFrame(const uint8_t* data, size_t size) {
    const std::optional<size_t> at = findLiveFrame(data, size);
    if (!at) return std::nullopt;
    return decodeLiveFrame(data + *at, size - *at);
}

void storeMeterClock(LinkState& f, const LiveFrame& lf) {
    f.m_year = lf.year;
    f.m_clockAux = static_cast<uint8_t>(lf.clockAux);
    f.m_month = static_cast<uint8_t>(lf.month);
    f.m_day = static_cast<uint8_t>(lf.day);
    f.m_hour = static_cast<uint8_t>(lf.hour);
    f.m_minute = static_cast<uint8_t>(lf.minute);
    f.m_second = static_cast<uint8_t>(lf.second);
    f.m_sampleSecs = static_cast<uint8_t>(lf.sampleSecs);
}

// A range change (not the first frame's) holds the reading for this frame and two more.
PreviousRange setRange(LinkState& f, LinkGlobals& g, int code) {
    const PreviousRange prev{f.m_rangeCode, f.m_unitFC};
    const RangeInfo& r = rangeInfo(code);
    f.m_rangeCode = static_cast<uint8_t>(code);
    f.m_luxFactor = r.luxFactor;
    f.m_luxDispFactor = r.luxDispFactor;
    f.m_fcDispFactor = r.fcDispFactor;
    f.m_scaleUnit = r.scaleUnit;
    if (prev.rangeCode != code && prev.rangeCode != 4) g.g_holdFrames = 3;
    return prev;
}

// The reading goes to the view's current slot, or the held one while a range change settles.
float& storeReading(MeterModel& m, const LiveFrame& lf) {
    LinkGlobals& g = m.g;
    // The slot is clamped so a runaway index can never write outside the recording.
    const int i = std::clamp(m.view.m_sampleIndex, 0, kReadingsCapacity - 1);
    float& reading = m.doc.m_readings[static_cast<size_t>(i)];
    reading = countToLux(lf.measuredCount, m.frame.m_luxFactor, lf.footCandles());
    if (g.g_holdFrames == 0) {
        g.g_heldLux = reading;
    } else {
        reading = g.g_heldLux;
        --g.g_holdFrames;
    }
    return reading;
}

void setUnitTexts(LinkState& f, ViewState& v, const LiveFrame& lf) {
    const int code = lf.rangeCode();
    const RangeInfo& r = rangeInfo(code);
    if (lf.footCandles()) {
        f.m_unitFC = 1;
        v.m_viewUnitFC = 1;
        v.m_lcdUnit = code == 0 ? QStringLiteral("KFC") : QStringLiteral("FC");
        v.m_lcdRange = QString::fromLatin1(r.fcLabel);
    } else {
        f.m_unitFC = 0;
        v.m_viewUnitFC = 0;
        v.m_lcdUnit = (code == 0 || code == 3) ? QStringLiteral("KLux") : QStringLiteral("Lux");
        v.m_lcdRange = QString::fromLatin1(r.luxLabel);
    }
}

// The number as the meter shows it; over range, the stored reading becomes OL too.
void setDisplayValue(MeterModel& m, const LiveFrame& lf, float& reading) {
    const LiveDisplay disp = formatLiveDisplay(lf.displayedCount, lf.rangeCode(), lf.footCandles());
    m.g.g_lastLux = disp.value;
    m.frame.m_dispResolution = disp.resolution;
    m.view.m_lcdValue = disp.text;
    if (disp.overRange) reading = kOverRange;
    if (lf.negative()) m.view.m_lcdValue.prepend(QLatin1Char('-'));
}

// Only a good battery keeps being checked: "Low" stays until a link failure re-arms it.
void checkBattery(LinkState& f, ViewState& v, const LiveFrame& lf) {
    if (f.m_checkBattery != 1) return;
    if (lf.lowBattery()) {
        v.m_batteryText = QStringLiteral("Low");
        f.m_checkBattery = 0;
    } else {
        v.m_batteryText = QStringLiteral("Normal");
    }
}

// The meter face's bar: the displayed value in steps of the display format.
void setBarCounts(MeterModel& m) {
    m.view.m_lcdCounts = static_cast<int>(m.g.g_lastLux * m.frame.m_dispResolution);
}

QString tensAndUnits(int x) {
    return QString::asprintf("%d%d", x / 10, x % 10);
}

void setMemoryIndicator(ViewState& v, const LiveFrame& lf) {
    const QString blanks3 = QStringLiteral("   ");
    switch (lf.memIndicator()) {
        case 1:
            v.m_lcdMemFlag = QStringLiteral("MEM");
            v.m_lcdMemNo = tensAndUnits(lf.memNo1);
            break;
        case 2:
            v.m_lcdMemFlag = QStringLiteral("MEM");
            v.m_lcdMemNo = tensAndUnits(lf.memNo2);
            break;
        case 3:
            v.m_lcdMemFlag = QStringLiteral("REC");
            v.m_lcdMemNo = blanks3;
            break;
        default:
            v.m_lcdMemFlag = blanks3;
            v.m_lcdMemNo = blanks3;
            break;
    }
}

void setHoldAndMode(ViewState& v, const LiveFrame& lf) {
    v.m_lcdHold = lf.hold() ? QStringLiteral("HOLD") : QStringLiteral("    ");
    switch (lf.modeBits()) {
        case 0x00:
            v.m_lcdMode = QStringLiteral("    ");
            break;
        case 0x10:
            v.m_lcdMode = QStringLiteral("PMIN");
            break;
        case 0x18:
            v.m_lcdMode = QStringLiteral("PMAX");
            break;
        case 0x20:
            v.m_lcdMode = QStringLiteral("MAX ");
            break;
        case 0x28:
            v.m_lcdMode = QStringLiteral("MIN ");
            break;
        case 0x30:
            v.m_lcdMode = QStringLiteral("Manu");
            break;
        default:
            break;  // 0x08 and 0x38 keep the previous mode text
    }
}

void setClockLine(ViewState& v, const LinkState& f, const LiveFrame& lf) {
    switch (lf.clockLine()) {
        case 0x00:
            v.m_lcdClockCaption = QStringLiteral("Time");
            v.m_lcdClock = tensAndUnits(f.m_hour) + ':' + tensAndUnits(f.m_minute) + ':' +
                           tensAndUnits(f.m_second);
            break;
        case 0x04:
            v.m_lcdClockCaption = QStringLiteral("Day");
            v.m_lcdClock = QString::number(f.m_clockAux) + ' ' + tensAndUnits(f.m_month) + ' ' +
                           tensAndUnits(f.m_day);
            break;
        case 0x08:
            v.m_lcdClockCaption = QStringLiteral("Sampling");
            v.m_lcdClock = tensAndUnits(f.m_sampleSecs);
            break;
        default:
            v.m_lcdClockCaption = QStringLiteral("Year");
            v.m_lcdClock = QString::number(f.m_year);
            break;
    }
}

}  // namespace

void MeterLink::decodeLive(const uint8_t* data, size_t size, qint64 now) {
    const std::optional<LiveFrame> frame = wholeLiveFrame(data, size);
    if (!frame) return;
    const LiveFrame& lf = *frame;
    LinkState& f = m_model.frame;
    ViewState& v = m_model.view;

    noteLiveFrame(now);
    storeMeterClock(f, lf);
    const PreviousRange prev = setRange(f, m_model.g, lf.rangeCode());
    float& reading = storeReading(m_model, lf);
    setUnitTexts(f, v, lf);
    if (prev.rangeCode != f.m_rangeCode || prev.unitFC != f.m_unitFC) rescaleGraph(lf);
    setDisplayValue(m_model, lf, reading);
    // A battery judged anew may be told about again.
    if (f.m_checkBattery == 1) m_lowBatteryTold = false;
    checkBattery(f, v, lf);
    setBarCounts(m_model);
    setMemoryIndicator(v, lf);
    setHoldAndMode(v, lf);
    setClockLine(v, f, lf);
    updateStatistics(reading, now);
    updateStatisticsTexts();
    showLiveFrame();
}

// The link is up; a confirmed Run restarts the recording with this frame.
void MeterLink::noteLiveFrame(qint64 now) {
    LinkState& f = m_model.frame;
    ViewState& v = m_model.view;
    v.m_frameArrived = 1;
    v.m_linkDown = 0;
    if (m_model.rec.liveFrame()) restartRecording(now);
    f.setPollArmed(false);
}

void MeterLink::restartRecording(qint64 now) {
    ViewState& v = m_model.view;
    v.m_startTime = now;
    v.m_sampleIndex = 0;
    v.m_frameCount = 0;
    m_ui.updateAllViews();
    if (m_sink) m_sink->recordingStarted(m_model);
}

// Ten divisions span the new range, from the bottom of the graph.
void MeterLink::rescaleGraph(const LiveFrame& lf) {
    const int gain =
        static_cast<int>(m_model.frame.m_scaleUnit * (lf.footCandles() ? 4.0f : 40.0f));
    m_model.doc.m_yGainDoc = gain;
    m_model.view.m_yGain = gain;
    m_model.view.m_yOffset = 0;
    m_ui.updateAllViews();
}

void MeterLink::showLiveFrame() {
    m_ui.transferInfoBar();
    m_ui.repaintLcd();
    portOperation([&] { m_comm.SetInBufferCount(0); });
}

void MeterLink::updateStatistics(float value, qint64 now) {
    LinkGlobals& g = m_model.g;
    ViewState& v = m_model.view;
    if (g.g_statMax < value && value < kOverRange) {
        g.g_statMax = value;
        v.m_statMaxTime = formatLocalTime(now, kClockTimeFormat);
    }
    if (g.g_statMin > value) {
        g.g_statMin = value;
        v.m_statMinTime = formatLocalTime(now, kClockTimeFormat);
    }
    if (value < kOverRange) {
        ++g.g_statCount;
        g.g_statSum += value;
    }
}

namespace {
QString statText(double lux, bool fc) {
    if (fc) return thousandsText(lux * kLuxToFc, lux * kLuxToKfc, kStatisticsGap, "FC");
    return thousandsText(lux, lux * 0.001, kStatisticsGap, "Lux");
}
}  // namespace

void MeterLink::updateStatisticsTexts() {
    const LinkGlobals& g = m_model.g;
    ViewState& v = m_model.view;
    if (g.g_statMax == -1.0f) {
        v.m_statMaxText = v.m_statMinText = v.m_statAvgText = QStringLiteral("----");
        return;
    }
    const bool fc = m_model.frame.m_unitFC == 1;
    v.m_statMaxText = statText(g.g_statMax, fc);
    v.m_statMinText = statText(g.g_statMin, fc);
    v.m_statAvgText = statText(g.g_statCount > 0 ? g.g_statSum / g.g_statCount : 0.0, fc);
}

void MeterLink::pollStep(const uint8_t* data, size_t size) {
    const size_t n = std::min<size_t>(size, kLiveFrameSize);
    bool any = false;
    for (size_t k = 0; k < n && !any; ++k) any = data[k] != 0x00 && data[k] != 0xFF;
    if (!any) return;
    const QString& battery = m_model.view.m_batteryText;
    if (battery == QLatin1String("Normal")) {
        m_timers.setTimer(TimerOwner::MainFrame, kTimerPoll, 50);
    } else if (battery == QLatin1String("Low")) {
        m_timers.killTimer(TimerOwner::MainFrame, kTimerPoll);
        m_model.rec.stopRecording();
        // Once for each low reading: any later bytes on the line (noise, another device)
        // must not raise it again.
        if (!m_lowBatteryTold) m_ui.showMessage(kLowBatteryText);
        m_lowBatteryTold = true;
    }
}

}  // namespace km905
