#include <algorithm>

#include "link/MeterLink.h"
#include "model/TimeText.h"

namespace km905 {

void MeterLink::onComm() {
    m_model.doc.m_curIndex = m_model.view.m_sampleIndex;
    try {
        if (m_comm.GetCommEvent() != kCommEventReceive) {
            m_comm.SetInBufferCount(0);
            return;
        }
        m_model.frame.m_input = m_comm.GetInput();
    } catch (const SerialError&) {
        return;
    }
    const qint64 now = m_timers.nowSecs();
    const QByteArray input = m_model.frame.m_input;
    const auto* data = reinterpret_cast<const uint8_t*>(input.constData());
    const size_t size = static_cast<size_t>(input.size());

    LinkState& f = m_model.frame;
    if (f.m_liveMode == 1) {
        if (startsWith(data, size, 0xAA, 0xDD)) decodeLive(data, size, now);
        pollStep(data, size);
    }
    if (startsWith(data, size, 0xBB, 0x88) && f.m_memPending == 1) decodeMemory(data, size);
    if (f.m_logPending == 1) dataloggerStep(data, size);

    if (m_model.view.m_frameCount >= kMaxFrameCount ||
        m_model.view.m_sampleIndex >= kMaxSampleIndex) {
        f.m_stopped = 1;
        f.m_recording = 0;
        m_model.view.m_canStop = 0;
    }
}

void MeterLink::decodeLive(const uint8_t* data, size_t size, qint64 now) {
    // A short frame is incomplete: wait for the next poll's answer.
    const std::optional<size_t> at = findLiveFrame(data, size);
    if (!at) return;
    const std::optional<LiveFrame> frame = decodeLiveFrame(data + *at, size - *at);
    if (!frame) return;
    const LiveFrame& lf = *frame;
    LinkState& f = m_model.frame;
    ViewState& v = m_model.view;
    LinkGlobals& g = m_model.g;

    v.m_frameArrived = 1;
    v.m_linkDown = 0;
    if (f.m_resetOnFrame == 1 && f.m_stopped == 1) {
        f.m_resetOnFrame = 0;
        f.m_stopped = 0;
        v.m_startTime = now;
        v.m_sampleIndex = 0;
        v.m_frameCount = 0;
        m_ui.updateAllViews();
        if (m_sink) m_sink->recordingStarted(m_model);
    }
    if (f.m_recording == 0) v.m_canRun = 1;
    f.setPollArmed(false);

    f.m_year = lf.year;
    f.m_clockAux = static_cast<uint8_t>(lf.clockAux);
    f.m_month = static_cast<uint8_t>(lf.month);
    f.m_day = static_cast<uint8_t>(lf.day);
    f.m_hour = static_cast<uint8_t>(lf.hour);
    f.m_minute = static_cast<uint8_t>(lf.minute);
    f.m_second = static_cast<uint8_t>(lf.second);
    f.m_sampleSecs = static_cast<uint8_t>(lf.sampleSecs);

    const uint8_t prevRange = f.m_rangeCode;
    const uint8_t prevUnit = f.m_unitFC;
    const int code = lf.rangeCode();
    const RangeInfo& r = rangeInfo(code);
    f.m_rangeCode = static_cast<uint8_t>(code);
    f.m_luxFactor = r.luxFactor;
    f.m_luxDispFactor = r.luxDispFactor;
    f.m_fcDispFactor = r.fcDispFactor;
    f.m_scaleUnit = r.scaleUnit;
    if (prevRange != code && prevRange != 4) g.g_holdFrames = 3;

    // The slot is clamped so a runaway index can never write outside the recording.
    const int i = std::clamp(v.m_sampleIndex, 0, kReadingsCapacity - 1);
    float& reading = m_model.doc.m_readings[static_cast<size_t>(i)];
    reading = countToLux(lf.measuredCount, f.m_luxFactor, lf.footCandles());
    if (g.g_holdFrames == 0) {
        g.g_heldLux = reading;
    } else {
        reading = g.g_heldLux;
        --g.g_holdFrames;
    }

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

    if (prevRange != code || prevUnit != f.m_unitFC) {
        const int gain = static_cast<int>(f.m_scaleUnit * (lf.footCandles() ? 4.0f : 40.0f));
        m_model.doc.m_yGainDoc = gain;
        v.m_yGain = gain;
        v.m_yOffset = 0;
        m_ui.updateAllViews();
    }

    const LiveDisplay disp = formatLiveDisplay(lf.displayedCount, code, lf.footCandles());
    g.g_lastLux = disp.value;
    f.m_dispResolution = disp.resolution;
    v.m_lcdValue = disp.text;
    if (disp.overRange) reading = kOverRange;
    if (lf.negative()) v.m_lcdValue.prepend(QLatin1Char('-'));

    if (f.m_checkBattery == 1) {
        if (lf.lowBattery()) {
            v.m_batteryText = QStringLiteral("Low");
            f.m_checkBattery = 0;
        } else {
            v.m_batteryText = QStringLiteral("Normal");
        }
    }

    v.m_lcdCounts = static_cast<int>(g.g_lastLux * f.m_dispResolution);

    const QString blanks3 = QStringLiteral("   ");
    switch (lf.memIndicator()) {
        case 1:
            v.m_lcdMemFlag = QStringLiteral("MEM");
            v.m_lcdMemNo = QString::asprintf("%d%d", lf.memNo1 / 10, lf.memNo1 % 10);
            break;
        case 2:
            v.m_lcdMemFlag = QStringLiteral("MEM");
            v.m_lcdMemNo = QString::asprintf("%d%d", lf.memNo2 / 10, lf.memNo2 % 10);
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

    auto tu = [](int x) { return QString::asprintf("%d%d", x / 10, x % 10); };
    switch (lf.clockLine()) {
        case 0x00:
            v.m_lcdClockCaption = QStringLiteral("Time");
            v.m_lcdClock = tu(f.m_hour) + ':' + tu(f.m_minute) + ':' + tu(f.m_second);
            break;
        case 0x04:
            v.m_lcdClockCaption = QStringLiteral("Day");
            v.m_lcdClock = QString::number(f.m_clockAux) + ' ' + tu(f.m_month) + ' ' + tu(f.m_day);
            break;
        case 0x08:
            v.m_lcdClockCaption = QStringLiteral("Sampling");
            v.m_lcdClock = tu(f.m_sampleSecs);
            break;
        default:
            v.m_lcdClockCaption = QStringLiteral("Year");
            v.m_lcdClock = QString::number(f.m_year);
            break;
    }

    updateStatistics(reading, now);
    updateStatisticsTexts();

    m_ui.transferInfoBar();
    m_ui.repaintLcd();
    try {
        m_comm.SetInBufferCount(0);
    } catch (const SerialError&) {
    }
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
    if (fc) {
        const double v = lux * kLuxToFc;
        if (v >= 1000) return QString::asprintf("%.2f  KFC", lux * kLuxToKfc);
        return QString::asprintf("%.2f  FC", v);
    }
    if (lux >= 1000) return QString::asprintf("%.2f  KLux", lux * 0.001);
    return QString::asprintf("%.2f  Lux", lux);
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
        m_model.frame.m_stopped = 1;
        m_model.frame.m_recording = 0;
        m_model.view.m_canStop = 0;
        m_ui.showMessage(kLowBatteryText);
    }
}

}  // namespace km905
