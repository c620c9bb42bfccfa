#pragma once

#include <QObject>
#include <functional>

namespace km905::cli {

// Ctrl+C (SIGINT) and SIGTERM call quit() from the event loop, once.
void onQuitSignals(QObject* context, std::function<void()> quit);

}  // namespace km905::cli
