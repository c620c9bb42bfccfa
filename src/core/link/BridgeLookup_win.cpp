// SPDX-License-Identifier: GPL-3.0-or-later
// The meter's bridges on Windows: the CP210x driver registers each as "\Device\Silabser<i>"
// in the serial-device map, with its COM name as the value.
#include <windows.h>

#include "core/link/BridgeLookup.h"

namespace km905 {

namespace {
class RegistryBridgeLookup : public IBridgeLookup {
  public:
    std::optional<int> bridgePort(int slot) const override {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ,
                          &key) != ERROR_SUCCESS)
            return std::nullopt;
        wchar_t name[64];
        swprintf(name, 64, L"\\Device\\Silabser%d", slot);
        wchar_t value[50] = {};  // 100 bytes
        DWORD size = sizeof value - sizeof(wchar_t);
        DWORD type = 0;
        const LONG r =
            RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
        RegCloseKey(key);
        if (r != ERROR_SUCCESS || type != REG_SZ) return std::nullopt;
        return portNumberFromComText(QString::fromWCharArray(value));
    }
};
}  // namespace

std::unique_ptr<IBridgeLookup> makeSystemBridgeLookup() {
    return std::make_unique<RegistryBridgeLookup>();
}

}  // namespace km905
