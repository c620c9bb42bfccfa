// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/app/QuitSignals.h"

#ifdef Q_OS_UNIX
#include <sys/socket.h>
#include <unistd.h>
#include <QSocketNotifier>
#include <csignal>
#endif

namespace km905 {

#ifdef Q_OS_UNIX
namespace {
// The handler only writes one byte, which is all it may safely do; the event loop reads it.
int g_quitPipe[2] = {-1, -1};
void onQuitSignal(int) {
    const char b = 1;
    [[maybe_unused]] const ssize_t n = ::write(g_quitPipe[1], &b, 1);
}
}  // namespace

void onQuitSignals(QObject* context, std::function<void()> quit) {
    if (g_quitPipe[0] < 0 && ::socketpair(AF_UNIX, SOCK_STREAM, 0, g_quitPipe) != 0) return;
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

}  // namespace km905
