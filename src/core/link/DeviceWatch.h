// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <functional>
#include <memory>

namespace km905 {

// Hears serial devices arrive and go. On Linux it watches the device folder; on Windows it
// filters the application's native messages for WM_DEVICECHANGE.
class DeviceWatch : public QObject {
  public:
    explicit DeviceWatch(std::function<void()> onChange, QObject* parent = nullptr);
    ~DeviceWatch() override;
    void notify() { m_onChange(); }

  private:
    std::function<void()> m_onChange;
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

}  // namespace km905
