// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <memory>
#include <optional>

namespace km905 {

inline constexpr int kBridgeSlots = 5;  // only the first five bridge slots are looked at

// Where the system lists the meter's CP210x USB bridges: slot i holds the port number of
// the i-th bridge, or nothing.
class IBridgeLookup {
  public:
    virtual ~IBridgeLookup() = default;
    virtual std::optional<int> bridgePort(int slot) const = 0;
};

// The lookup of this platform: the serial-device map on Windows, sysfs on Linux.
std::unique_ptr<IBridgeLookup> makeSystemBridgeLookup();

// "COM7" gives 7: leading 'C', 'O' and 'M' characters are dropped and the rest read as a
// number, 0 when it is none.
int portNumberFromComText(const QString& text);

// The CP210x family's USB product ids (vendor 10C4).
bool isCp210x(unsigned vendor, unsigned product);

}  // namespace km905
