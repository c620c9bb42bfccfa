// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include "core/link/FrameDecoders.h"
#include "core/link/LinkUi.h"
#include "core/link/RecordingSink.h"
#include "core/link/SerialControl.h"
#include "core/link/Timers.h"
#include "core/model/MeterState.h"

namespace km905 {

// Main-frame timers.
enum MainFrameTimer : int {
    kTimerOpenProgress = 1,
    kTimerLogRequest = 2,
    kTimerMemRequest = 3,
    kTimerPoll = 4,
    kTimerDiscovery = 5,
};

inline const QString kLowBatteryText =
    QStringLiteral("Power is low,please change another battery!");
inline const QString kLowBatteryRetryText =
    QStringLiteral("Power is low,please change another battery to try again!");
inline const QString kNoLoggerDataText = QStringLiteral("There is no data on the RAM!");

// The main frame's side of the meter link: port operations, the receive event, the
// download requests and the main-frame timers 1 to 4.
class MeterLink {
  public:
    MeterLink(MeterModel& model, ISerialControl& comm, ITimerService& timers, ILinkUi& ui);

    MeterModel& model() { return m_model; }
    ISerialControl& comm() { return m_comm; }
    // Told when the recording restarts and as its samples are stored; none by default.
    void setRecordingSink(IRecordingSink* sink) { m_sink = sink; }
    IRecordingSink* recordingSink() const { return m_sink; }

    // Port operations.
    void closeIfOpen();
    void openIfClosed();
    // False when the port could not be opened; the raised description goes to *error.
    bool reopenAndPoll(QString* error = nullptr);
    void sendThree(uint8_t b0, uint8_t b1, uint8_t b2);
    void requestDownload(bool datalogger);
    void pollTick();
    void sendEndOfLink();  // close sequence; errors are discarded

    // Receive event of the serial control.
    void onComm();

    // Main-frame timers 1..4; returns false for other ids.
    bool onTimer(int id);

    // Data Logger and Mem commands.
    void startLogDownload();
    void startMemDownload();

    // Meter frame decoding (parts of onComm), public for the fuzzer and tests.
    void decodeLive(const uint8_t* data, size_t size, qint64 now);
    void pollStep(const uint8_t* data, size_t size);
    void decodeMemory(const uint8_t* data, size_t size);
    void dataloggerStep(const uint8_t* data, size_t size);

    // Before a datalogger download that stopped is given up: the stream bytes the serial
    // control still holds below its threshold go to g_logBuffer (up to the announced count),
    // as reopening the port would discard them.
    void takeHeldLogBytes();

  private:
    // The steps of a live frame that reach beyond the model.
    void noteLiveFrame(qint64 now);
    void restartRecording(qint64 now);
    void rescaleGraph(const LiveFrame& lf);
    void showLiveFrame();
    void updateStatistics(float v, qint64 now);
    void updateStatisticsTexts();
    void appendLogBytes(const uint8_t* data, size_t size);
    void setNextLogThreshold();
    void finishLogDownload();
    void returnToLive();
    bool openForDownload();

    MeterModel& m_model;
    ISerialControl& m_comm;
    ITimerService& m_timers;
    ILinkUi& m_ui;
    IRecordingSink* m_sink = nullptr;
    bool m_lowBatteryTold = false;  // the low-battery message of this reading was shown
};

}  // namespace km905
