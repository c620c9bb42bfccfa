// SPDX-License-Identifier: GPL-3.0-or-later
// Linked into the Windows test programs. There the documents folder is the shell's whatever
// HOME says, while the tests give each case a home of its own through HOME, as on Linux: the
// data folder follows HOME here too.
#include <QtGlobal>

#include "core/app/Settings.h"

namespace {
const bool kInstalled = [] {
    km905::Settings::setDocumentsFolderSource(
        [] { return QString::fromLocal8Bit(qgetenv("HOME")) + QStringLiteral("/Documents"); });
    return true;
}();
}  // namespace
