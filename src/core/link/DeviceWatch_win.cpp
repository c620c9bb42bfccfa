#include "link/DeviceWatch.h"

namespace km905 {

// Windows delivers device changes to the main window as WM_DEVICECHANGE (0x8000 arrival,
// 0x8004 removal complete); the window calls notify().
struct DeviceWatch::Impl {};

DeviceWatch::DeviceWatch(std::function<void()> onChange, QObject* parent)
    : QObject(parent), m_onChange(std::move(onChange)), m_impl(std::make_unique<Impl>()) {}

DeviceWatch::~DeviceWatch() = default;

}  // namespace km905
