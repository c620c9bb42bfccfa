// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <vector>

#include "core/link/BridgeLookup.h"

namespace km905 {

// CP210x bridges among the ttyUSB devices of a sysfs tree (a fake one in tests).
class SysfsBridgeLookup : public IBridgeLookup {
  public:
    explicit SysfsBridgeLookup(QString sysRoot);
    std::optional<int> bridgePort(int slot) const override;
    std::vector<int> bridgeTtyNumbers() const;  // k of each bridge's ttyUSBk, ascending

  private:
    QString m_sysRoot;
};

}  // namespace km905
