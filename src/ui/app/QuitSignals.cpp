#include "app/QuitSignals.h"

#ifdef Q_OS_UNIX
#include <sys/socket.h>
#include <unistd.h>
#include <QSocketNotifier>
#include <csignal>

namespace km905 {

namespace {
int g_quitPipe[2] = {-1, -1};
void onSignal(int) {
    const char b = 1;
    [[maybe_unused]] const ssize_t n = ::write(g_quitPipe[1], &b, 1);
}
}  // namespace

void closeOnQuitSignals(QWidget* window) {
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, g_quitPipe) != 0) return;
    auto* notifier = new QSocketNotifier(g_quitPipe[0], QSocketNotifier::Read, window);
    QObject::connect(notifier, &QSocketNotifier::activated, window, [window] {
        char b = 0;
        [[maybe_unused]] const ssize_t n = ::read(g_quitPipe[0], &b, 1);
        window->close();
    });
    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
}

}  // namespace km905
#else
namespace km905 {
void closeOnQuitSignals(QWidget*) {}
}  // namespace km905
#endif
