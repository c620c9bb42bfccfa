// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "core/app/Settings.h"

using namespace km905;

namespace {
class HomeDir : public testing::Test {
  protected:
    void SetUp() override {
        m_oldHome = qgetenv("HOME");
        qputenv("HOME", m_home.path().toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", (m_home.path() + "/.config").toLocal8Bit());
    }
    void TearDown() override { qputenv("HOME", m_oldHome); }
    QTemporaryDir m_home;
    QByteArray m_oldHome;
};
}  // namespace

TEST_F(HomeDir, FirstStartCreatesTheFolderAndUsesTheDefaults) {
    const QString folder = m_home.path() + "/Documents/KM905";
    EXPECT_FALSE(QDir(folder).exists());
    EXPECT_EQ(Settings::readComPort(), 1);
    EXPECT_TRUE(QDir(folder).exists());
    EXPECT_EQ(Settings::iniPath(), folder + "/KM905.ini");
    EXPECT_EQ(gainForIndex(Settings::readGainIndex(), -1), 40);
    EXPECT_EQ(offsetForIndex(Settings::readOffsetIndex(), -1), 0);
    EXPECT_FALSE(QFile::exists(Settings::iniPath()));  // reading writes nothing
}

TEST_F(HomeDir, TheThreeKeysRoundTrip) {
    ASSERT_TRUE(Settings::writeComPort(7));
    ASSERT_TRUE(Settings::writeYScale(3, 2));
    EXPECT_EQ(Settings::readComPort(), 7);
    EXPECT_EQ(gainForIndex(Settings::readGainIndex(), -1), 4000);
    EXPECT_EQ(offsetForIndex(Settings::readOffsetIndex(), -1), 4);
    QFile f(Settings::iniPath());
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
