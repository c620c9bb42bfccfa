// km905-monitor: follows a KM905 on its port and prints what its display shows.
#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>

#include "CMSComm.h"
#include "link/MeterLink.h"
#include "link/PortNames.h"
#include "link/QtTimerService.h"
#include "realtime/Acquisition.h"

using namespace km905;

namespace {
class PrintingUi : public ILinkUi {
  public:
    explicit PrintingUi(MeterModel& m, CMSComm& c) : m_model(m), m_comm(c) {}
    void repaintLcd() override {
        const ViewState& v = m_model.view;
        const QString line = QStringLiteral("%1 %2 [%3] %4 %5 %6 %7: %8  battery %9")
                                 .arg(v.m_lcdValue, 8)
                                 .arg(v.m_lcdUnit, -4)
                                 .arg(v.m_lcdRange)
                                 .arg(v.m_lcdMode, v.m_lcdHold, v.m_lcdMemFlag + v.m_lcdMemNo,
                                      v.m_lcdClockCaption, v.m_lcdClock, v.m_batteryText);
        if (line != m_last) std::printf("%s\n", qPrintable(line));
        m_last = line;
        std::fflush(stdout);
    }
    void repaintFace() override {
        if (m_model.view.m_linkDown) {
            const QString why = m_comm.lastOpenError();
            std::printf("OFFLINE (port %d, %s%s)\n", m_model.frame.m_comPort,
                        qPrintable(portDeviceName(m_model.frame.m_comPort)),
                        why.isEmpty() ? "" : qPrintable(": " + why));
            std::fflush(stdout);
            m_last.clear();
        }
    }
    void showMessage(const QString& text) override {
        std::printf("message: %s\n", qPrintable(text));
        std::fflush(stdout);
    }

  private:
    MeterModel& m_model;
    CMSComm& m_comm;
    QString m_last;
};
}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    int port = 1;
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == "--help" || args[i] == "-h") {
            std::printf(
                "Usage: km905-monitor [--port N]\n"
                "Polls the KM905 on port N (default 1; on Linux $KM905_DEV_DIR/ttyUSB<N-1>,\n"
                "KM905_DEV_DIR defaulting to /dev) and prints each change of its display.\n"
                "A silent or missing meter is retried every 2 seconds. Ctrl+C ends it.\n");
            return 0;
        }
        if (args[i] == "--port" && i + 1 < args.size()) {
            port = args[++i].toInt();
        } else {
            std::fprintf(stderr, "km905-monitor: unknown option %s (see --help)\n",
                         qPrintable(args[i]));
            return 2;
        }
    }
    MeterModel model;
    model.frame.m_comPort = port;
    model.frame.resetPollArmed();
    CMSComm comm;
    QtTimerService timers;
    PrintingUi ui(model, comm);
    MeterLink link(model, comm, timers, ui);
    Acquisition acq(link, timers, ui);
    timers.setHandler(TimerOwner::MainFrame, [&](int id) { link.onTimer(id); });
    timers.setHandler(TimerOwner::View, [&](int id) { acq.onTimer(id); });
    std::printf("polling port %d (%s)\n", port, qPrintable(portDeviceName(port)));
    comm.SetSettings("9600,n,8,1");
    if (!link.reopenAndPoll())
        std::printf("cannot open %s: %s\n", qPrintable(portDeviceName(port)),
                    qPrintable(comm.lastOpenError()));
    acq.start();
    return app.exec();
}
