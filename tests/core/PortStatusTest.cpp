// SPDX-License-Identifier: GPL-3.0-or-later
// What the status bar's port pane says: the fix for a port the user may not open, and how far
// the meter's clock is off.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "core/app/CommandState.h"
#include "core/app/PortStatus.h"

using namespace km905;

namespace {
// 2026-12-08 10:00:00 UTC; the tests run with TZ=UTC.
constexpr qint64 kNow = 1796724000;

LinkState meterAt(int year, int month, int day, int hour, int minute, int second) {
    LinkState f;
    f.m_year = year;
    f.m_month = static_cast<uint8_t>(month);
    f.m_day = static_cast<uint8_t>(day);
    f.m_hour = static_cast<uint8_t>(hour);
    f.m_minute = static_cast<uint8_t>(minute);
    f.m_second = static_cast<uint8_t>(second);
    return f;
}
}  // namespace

TEST(MeterClock, MoreThanTwoMinutesOffIsToldInWholeMinutes) {
    EXPECT_EQ(meterClockDriftText(meterAt(2026, 12, 8, 10, 5, 0), true, kNow),
              "Meter clock is 5 min ahead");
    EXPECT_EQ(meterClockDriftText(meterAt(2026, 12, 8, 9, 50, 0), true, kNow),
              "Meter clock is 10 min behind");
    EXPECT_EQ(meterClockDriftText(meterAt(2026, 12, 8, 10, 2, 1), true, kNow),
              "Meter clock is 2 min ahead");
    EXPECT_EQ(meterClockDriftText(meterAt(2026, 12, 7, 10, 0, 0), true, kNow),
              "Meter clock is 1440 min behind");
    // Within two minutes, without a link, or without a real date: nothing.
    EXPECT_FALSE(meterClockDriftText(meterAt(2026, 12, 8, 10, 2, 0), true, kNow));
    EXPECT_FALSE(meterClockDriftText(meterAt(2026, 12, 8, 9, 58, 0), true, kNow));
    EXPECT_FALSE(meterClockDriftText(meterAt(2026, 12, 8, 11, 0, 0), false, kNow));
    EXPECT_FALSE(meterClockDriftText(LinkState{}, true, kNow));
    EXPECT_FALSE(meterClockDriftText(meterAt(2026, 13, 8, 10, 0, 0), true, kNow));
}

#ifndef _WIN32  // the udev rule and the dialout group are Linux's
TEST(PortPane, PermissionDeniedSaysTheFix) {
    EXPECT_EQ(portStatusText(1, "/dev/ttyUSB0", "Permission denied", false),
              "Port 1 (/dev/ttyUSB0): permission denied - install the udev rule "
              "(70-km905.rules), or add yourself to the dialout group");
    EXPECT_EQ(portStatusText(1, "/dev/ttyUSB0", "Permission denied", true),
              "Port 1 (/dev/ttyUSB0): permission denied - unplug and replug the meter, or add "
              "yourself to the dialout group");
    EXPECT_EQ(portStatusText(2, "/dev/ttyUSB1", ""), "Port 2 (/dev/ttyUSB1)");
}
#endif

TEST(PortPane, TheRuleIsFoundInAnyOfItsFolders) {
    QTemporaryDir etc, lib;
    EXPECT_FALSE(udevRuleInstalled({etc.path(), lib.path()}));
    QFile rule(lib.filePath("70-km905.rules"));
    ASSERT_TRUE(rule.open(QIODevice::WriteOnly));
    rule.close();
    EXPECT_TRUE(udevRuleInstalled({etc.path(), lib.path()}));
}
