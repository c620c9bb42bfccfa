// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The serial control of this platform: the Win32 communications API on Windows, QSerialPort
// elsewhere. Both raise the same errors with the same descriptions.
#include <QtGlobal>

#ifdef Q_OS_WIN
#include "serial/CMSComm_win.h"
#else
#include "serial/CMSComm_qt.h"
#endif
