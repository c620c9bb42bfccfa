// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <functional>

namespace km905 {

// SIGHUP calls reopen() from the event loop, each time it comes: a program that writes a
// file for days lets others rotate it, then reopens it by its name.
void onReopenSignal(QObject* context, std::function<void()> reopen);

}  // namespace km905
