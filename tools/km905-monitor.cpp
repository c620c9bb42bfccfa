// km905-monitor: follows a KM905 on its port and prints what its display shows.
#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>
#include <functional>

#ifdef Q_OS_UNIX
#include <sys/socket.h>
#include <unistd.h>
#include <QSocketNotifier>
#include <csignal>
#endif

#include "CMSComm.h"
#include "link/PortNames.h"
#include "link/QtTimerService.h"
#include "session/Session.h"
#include "session/Unattended.h"

using namespace km905;

namespace {
class PrintingUi : public ILinkUi {
  public:
    explicit PrintingUi(CMSComm& c) : m_comm(c) {}
    // The session's model, known once the session is built on this printer.
    void setModel(const MeterModel& m) { m_model = &m; }
    void repaintLcd() override {
        if (!m_model) return;
        const ViewState& v = m_model->view;
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
        if (m_model && m_model->view.m_linkDown) {
            const QString why = m_comm.lastOpenError();
            std::printf("OFFLINE (port %d, %s%s)\n", m_model->frame.m_comPort,
                        qPrintable(portDeviceName(m_model->frame.m_comPort)),
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
    const MeterModel* m_model = nullptr;
    CMSComm& m_comm;
    QString m_last;
};

#ifdef Q_OS_UNIX
// Ctrl+C and SIGTERM reach the event loop through a socket pair: the handler only writes
// one byte, which is all it may safely do.
int g_quitPipe[2] = {-1, -1};
void onQuitSignal(int) {
    const char b = 1;
    [[maybe_unused]] const ssize_t n = ::write(g_quitPipe[1], &b, 1);
}
void onQuitSignals(QObject* context, std::function<void()> quit) {
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, g_quitPipe) != 0) return;
    auto* notifier = new QSocketNotifier(g_quitPipe[0], QSocketNotifier::Read, context);
    QObject::connect(notifier, &QSocketNotifier::activated, context, [notifier, quit] {
        char b = 0;
        [[maybe_unused]] const ssize_t n = ::read(g_quitPipe[0], &b, 1);
        notifier->setEnabled(false);  // one end is enough
        quit();
    });
    std::signal(SIGINT, onQuitSignal);
    std::signal(SIGTERM, onQuitSignal);
}
#else
void onQuitSignals(QObject*, std::function<void()>) {}
#endif
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
                "A silent or missing meter is retried every 2 seconds. Ctrl+C or SIGTERM ends it\n"
                "and tells the meter the link ends.\n");
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
    CMSComm comm;
    QtTimerService timers;
    NoBridgeLookup bridges;  // the port asked for is kept
    NoUserInteraction dialogs;
    NoJournalFile journal;  // nothing is recorded here
    PrintingUi ui(comm);
    Session session({comm, timers, bridges, dialogs, ui, &journal});
    ui.setModel(session.model());
    // The meter is told the link ends, as when the window closes.
    onQuitSignals(&app, [&] {
        session.closeSequence();
        QCoreApplication::exit(0);
    });
    std::printf("polling port %d (%s)\n", port, qPrintable(portDeviceName(port)));
    if (!session.start({.port = port, .watchDevices = false}))
        std::printf("cannot open %s: %s\n", qPrintable(portDeviceName(port)),
                    qPrintable(comm.lastOpenError()));
    std::fflush(stdout);
    return app.exec();
}
