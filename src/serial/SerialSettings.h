// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace km905 {

// A Settings string such as "9600,n,8,1": baud, parity (n, e or o), data bits, stop bits.
struct SerialSettings {
    int baud = 9600;
    char parity = 'n';
    int dataBits = 8;
    int stopBits = 1;
};

// Raises SerialError "Invalid property value" for a string the control would refuse.
SerialSettings parseSerialSettings(const QString& settings);

// The port a CommPort assignment asks for; raises SerialError while the port is open or for a
// number outside 1..255, as the control does.
int checkedCommPort(int port, bool portOpen);

}  // namespace km905
