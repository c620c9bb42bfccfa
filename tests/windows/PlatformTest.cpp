// SPDX-License-Identifier: GPL-3.0-or-later
// The Windows platform code on the real Win32 API (under Wine in CI): the serial control's
// errors, the bridge lookup in the serial-device map, and device-change messages.
#include <windows.h>

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <string>

#include "core/link/BridgeLookup.h"
#include "core/link/DeviceWatch.h"
#include "serial/CMSComm.h"

using namespace km905;

namespace {
QString raisedBy(const std::function<void()>& f) {
    try {
        f();
    } catch (const SerialError& e) {
        return e.description();
    }
    return QStringLiteral("(nothing raised)");
}
}  // namespace

TEST(Win32Serial, RaisesTheControlsDescriptions) {
    CMSComm comm;
    EXPECT_EQ(raisedBy([&] { comm.SetCommPort(0); }), "Invalid port number");
    EXPECT_EQ(raisedBy([&] { comm.SetCommPort(256); }), "Invalid port number");
    EXPECT_EQ(raisedBy([&] { comm.SetSettings("9600,x,8,1"); }), "Invalid property value");
    EXPECT_EQ(raisedBy([&] { comm.SetSettings("9600,n,9,1"); }), "Invalid property value");
    comm.SetSettings("9600,n,8,1");
    comm.SetCommPort(231);  // no such port here
    EXPECT_EQ(raisedBy([&] { comm.SetPortOpen(true); }), "Invalid port number");
    EXPECT_EQ(comm.lastOpenError(), "Invalid port number");
    EXPECT_FALSE(comm.GetPortOpen());
    EXPECT_EQ(raisedBy([&] { comm.SetOutput(QByteArray("\x11", 1)); }),
              "Operation valid only when the port is open");
    EXPECT_EQ(raisedBy([&] { (void)comm.GetInput(); }),
              "Operation valid only when the port is open");
    EXPECT_EQ(comm.GetInBufferCount(), 0);
    comm.SetPortOpen(false);  // closing a closed port is no error
}

// The CP210x driver's entries: "\Device\Silabser<i>" = "COMn" under HARDWARE\DEVICEMAP\SERIALCOMM.
TEST(BridgeLookup, ReadsTheSlotsValueFromTheSerialDeviceMap) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, nullptr,
                        REG_OPTION_VOLATILE, KEY_READ | KEY_WRITE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        GTEST_SKIP() << "the serial-device map cannot be written here";
    const wchar_t name[] = L"\\Device\\Silabser3";
    const wchar_t value[] = L"COM12";
    ASSERT_EQ(
        RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value), sizeof value),
        ERROR_SUCCESS);
    const auto lookup = makeSystemBridgeLookup();
    EXPECT_EQ(lookup->bridgePort(3), std::optional<int>(12));
    RegDeleteValueW(key, name);
    EXPECT_EQ(lookup->bridgePort(3), std::nullopt);
    RegCloseKey(key);
}

// The message-only window through which Qt's event dispatcher on this thread hears the
// system: device changes carry a pointer and cannot be posted, only sent to a window.
HWND dispatcherWindow() {
    QCoreApplication::processEvents();  // the dispatcher makes its window on first use
    HWND w = nullptr;
    while ((w = FindWindowExW(HWND_MESSAGE, w, nullptr, nullptr)) != nullptr) {
        wchar_t name[128] = {};
        GetClassNameW(w, name, 127);
        if (GetWindowThreadProcessId(w, nullptr) == GetCurrentThreadId() &&
            std::wstring(name).rfind(L"QEventDispatcherWin32_Internal_Widget", 0) == 0)
            return w;
    }
    return nullptr;
}

// Arrival (0x8000) and removal complete (0x8004) are heard; other device events are not.
TEST(DeviceWatch, HearsArrivalAndRemovalMessages) {
    int heard = 0;
    DeviceWatch watch([&] { ++heard; });
    const HWND window = dispatcherWindow();
    ASSERT_NE(window, nullptr);
    for (const WPARAM event : {WPARAM(0x8000), WPARAM(0x0007), WPARAM(0x8004), WPARAM(0x8001)})
        SendMessageW(window, WM_DEVICECHANGE, event, 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(heard, 2);
}

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
