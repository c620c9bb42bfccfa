// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "ScratchFolders.h"
#include "core/app/Settings.h"

using namespace km905;

TEST(SettingsFile, FirstStartCreatesTheFolderAndUsesTheDefaults) {
    test::ScratchHome home;
    const Settings& settings = home.settings();
    const QString folder = home.path() + "/Documents/KM905";
    EXPECT_FALSE(QDir(folder).exists());
    EXPECT_EQ(settings.readComPort(), 1);
    EXPECT_TRUE(QDir(folder).exists());
    EXPECT_EQ(settings.iniPath(), folder + "/KM905.ini");
    EXPECT_EQ(gainForIndex(settings.readGainIndex(), -1), 40);
    EXPECT_EQ(offsetForIndex(settings.readOffsetIndex(), -1), 0);
    EXPECT_FALSE(QFile::exists(settings.iniPath()));  // reading writes nothing
}

TEST(SettingsFile, TheThreeKeysRoundTrip) {
    const test::ScratchData data;
    const Settings& settings = data.settings();
    ASSERT_TRUE(settings.writeComPort(7));
    ASSERT_TRUE(settings.writeYScale(3, 2));
    EXPECT_EQ(settings.readComPort(), 7);
    EXPECT_EQ(gainForIndex(settings.readGainIndex(), -1), 4000);
    EXPECT_EQ(offsetForIndex(settings.readOffsetIndex(), -1), 4);
    QFile f(settings.iniPath());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(
        f.readAll(),
        "[COMInfo]\r\nCOM num=7\r\n[YGAINInfo]\r\nGAIN num=3\r\n[YOFFSETInfo]\r\nOFFSET num=2\r\n");
}

TEST(YScaleTables, IndexesOutsideTheTableKeepTheValue) {
    EXPECT_EQ(gainForIndex(0, 40), 4);
    EXPECT_EQ(gainForIndex(4, 40), 40000);
    EXPECT_EQ(gainForIndex(5, 400), 400);
    EXPECT_EQ(gainForIndex(-1, 400), 400);
    EXPECT_EQ(offsetForIndex(5, 0), 10);
    EXPECT_EQ(offsetForIndex(6, 2), 2);
}
