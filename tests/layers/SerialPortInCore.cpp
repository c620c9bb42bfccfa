// SPDX-License-Identifier: GPL-3.0-or-later
// Must not compile: only the serial backend reaches Qt SerialPort.
#include <QtSerialPort/QSerialPort>
