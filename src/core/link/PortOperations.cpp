// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/link/MeterLink.h"

namespace km905 {

MeterLink::MeterLink(MeterModel& model, ISerialControl& comm, ITimerService& timers, ILinkUi& ui)
    : m_model(model), m_comm(comm), m_timers(timers), m_ui(ui) {
    m_comm.setOnComm([this] { onComm(); });
}

void MeterLink::closeIfOpen() {
    if (m_comm.GetPortOpen()) m_comm.SetPortOpen(false);
}

void MeterLink::openIfClosed() {
    if (!m_comm.GetPortOpen()) m_comm.SetPortOpen(true);
}

bool MeterLink::reopenAndPoll(QString* error) {
    const bool reopened = portOperation(
        [&] {
            closeIfOpen();
            m_comm.SetCommPort(m_model.frame.m_comPort);
            openIfClosed();
            (void)m_comm.GetInput();
            m_comm.SetInBufferCount(0);
            m_comm.SetOutBufferCount(0);
        },
        error);
    if (!reopened) {
        portOperation([&] { closeIfOpen(); });
        return false;
    }
    return portOperation([&] {
        m_comm.SetRThreshold(kLiveFrameSize);
        m_comm.SetInputMode(kInputModeBinary);
        m_comm.SetInputLen(0);
        m_comm.SetInBufferCount(0);
        m_model.frame.m_output = QByteArray(1, '\x11');
        if (m_comm.GetPortOpen()) m_comm.SetOutput(m_model.frame.m_output);
        m_comm.SetOutBufferCount(0);
    });
}

void MeterLink::sendThree(uint8_t b0, uint8_t b1, uint8_t b2) {
    m_model.frame.m_output = QByteArray();
    m_model.frame.m_output.append(static_cast<char>(b0));
    m_model.frame.m_output.append(static_cast<char>(b1));
    m_model.frame.m_output.append(static_cast<char>(b2));
    if (m_comm.GetPortOpen()) m_comm.SetOutput(m_model.frame.m_output);
}

void MeterLink::requestDownload(bool datalogger) {
    if (!portOperation([&] {
            closeIfOpen();
            openIfClosed();
        }))
        return;
    portOperation([&] {
        (void)m_comm.GetInput();
        m_comm.SetInBufferCount(0);
        m_comm.SetOutBufferCount(0);
        m_comm.SetRThreshold(datalogger ? kLogHeaderSize : kMemoryFrameThreshold);
        m_model.frame.m_output = QByteArray(1, datalogger ? '\x13' : '\x12');
        if (m_comm.GetPortOpen()) m_comm.SetOutput(m_model.frame.m_output);
    });
}

void MeterLink::pollTick() {
    portOperation([&] {
        m_model.frame.m_output = QByteArray(1, '\x11');
        if (m_comm.GetPortOpen()) m_comm.SetOutput(m_model.frame.m_output);
        m_comm.SetOutBufferCount(0);
    });
}

void MeterLink::sendEndOfLink() {
    portOperation([&] {
        closeIfOpen();
        openIfClosed();
        m_comm.SetInputLen(0);
        m_comm.SetInBufferCount(0);
        m_comm.SetOutBufferCount(0);
        sendThree(0x87, 0x83, 0x15);
    });
}

bool MeterLink::onTimer(int id) {
    switch (id) {
        case kTimerOpenProgress:
            m_timers.killTimer(TimerOwner::MainFrame, id);
            m_ui.openProgressWindow();
            return true;
        case kTimerLogRequest:
        case kTimerMemRequest:
            m_timers.killTimer(TimerOwner::MainFrame, id);
            requestDownload(id == kTimerLogRequest);
            return true;
        case kTimerPoll:
            m_timers.killTimer(TimerOwner::MainFrame, id);
            pollTick();
            return true;
        default:
            return false;
    }
}

}  // namespace km905
