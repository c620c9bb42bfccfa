// SPDX-License-Identifier: GPL-3.0-or-later
#include <QFileSystemWatcher>

#include "core/link/DeviceWatch.h"
#include "core/link/PortNames.h"

namespace km905 {

struct DeviceWatch::Impl {
    QFileSystemWatcher watcher;
};

DeviceWatch::DeviceWatch(std::function<void()> onChange, QObject* parent)
    : QObject(parent), m_onChange(std::move(onChange)), m_impl(std::make_unique<Impl>()) {
    // A ttyUSB node appearing or going shows as a change of the folder.
    m_impl->watcher.addPath(deviceDirectory());
    connect(&m_impl->watcher, &QFileSystemWatcher::directoryChanged, this, [this] { notify(); });
}

DeviceWatch::~DeviceWatch() = default;

}  // namespace km905
