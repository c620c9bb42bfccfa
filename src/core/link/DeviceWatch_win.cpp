// SPDX-License-Identifier: GPL-3.0-or-later
#include <windows.h>

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>

#include "core/link/DeviceWatch.h"

namespace km905 {

// Windows tells every top-level window of the program of a device's arrival (0x8000) and
// removal (0x8004) with WM_DEVICECHANGE; a filter on the application hears them all, whichever
// window gets them. Several windows hearing one change only restart the one-second timer.
struct DeviceWatch::Impl : QAbstractNativeEventFilter {
    DeviceWatch* watch = nullptr;

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr* result) override {
        if (type != "windows_generic_MSG" && type != "windows_dispatcher_MSG") return false;
        const MSG* msg = static_cast<const MSG*>(message);
        if (msg->message != WM_DEVICECHANGE) return false;
        if (msg->wParam == 0x8000 || msg->wParam == 0x8004) watch->notify();
        if (result) *result = TRUE;
        return true;
    }
};

DeviceWatch::DeviceWatch(std::function<void()> onChange, QObject* parent)
    : QObject(parent), m_onChange(std::move(onChange)), m_impl(std::make_unique<Impl>()) {
    m_impl->watch = this;
    if (QCoreApplication* app = QCoreApplication::instance())
        app->installNativeEventFilter(m_impl.get());
}

DeviceWatch::~DeviceWatch() {
    if (QCoreApplication* app = QCoreApplication::instance())
        app->removeNativeEventFilter(m_impl.get());
}

}  // namespace km905
