// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/app/ReopenSignal.h"

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
int g_reopenPipe[2] = {-1, -1};
void onHangUp(int) {
    const char b = 1;
    [[maybe_unused]] const ssize_t n = ::write(g_reopenPipe[1], &b, 1);
}
}  // namespace

void onReopenSignal(QObject* context, std::function<void()> reopen) {
    if (g_reopenPipe[0] < 0 && ::socketpair(AF_UNIX, SOCK_STREAM, 0, g_reopenPipe) != 0) return;
    auto* notifier = new QSocketNotifier(g_reopenPipe[0], QSocketNotifier::Read, context);
    QObject::connect(notifier, &QSocketNotifier::activated, context, [reopen] {
        char b = 0;
        [[maybe_unused]] const ssize_t n = ::read(g_reopenPipe[0], &b, 1);
        reopen();
    });
    std::signal(SIGHUP, onHangUp);
}
#else
void onReopenSignal(QObject*, std::function<void()>) {}
#endif

}  // namespace km905
