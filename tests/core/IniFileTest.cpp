// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "core/app/IniFile.h"

using namespace km905;

namespace {
QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}
void writeAll(const QString& path, const QByteArray& b) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(b);
}
}  // namespace

TEST(IniFile, WritingCreatesTheFileSectionAndKey) {
    QTemporaryDir dir;
    const QString path = dir.filePath("KM905.ini");
    IniFile ini(path);
    ASSERT_TRUE(ini.writeInt("COMInfo", "COM num", 3));
    EXPECT_EQ(readAll(path), "[COMInfo]\r\nCOM num=3\r\n");
    ASSERT_TRUE(ini.writeInt("YGAINInfo", "GAIN num", 2));
    ASSERT_TRUE(ini.writeInt("COMInfo", "COM num", 12));
    EXPECT_EQ(readAll(path), "[COMInfo]\r\nCOM num=12\r\n[YGAINInfo]\r\nGAIN num=2\r\n");
}

TEST(IniFile, WritingKeepsForeignSectionsCommentsAndSpellingAndWritesCrlf) {
    const QByteArray lf =
        "; my notes\n[Other]\nfoo=bar\n\n[cominfo]\ncom NUM = 7\n; kept\n[YGAINInfo]\nGAIN num=2";
    EXPECT_EQ(IniFile::withValue(lf, "COMInfo", "COM num", "4"),
              "; my notes\r\n[Other]\r\nfoo=bar\r\n\r\n[cominfo]\r\ncom NUM=4\r\n; kept\r\n"
              "[YGAINInfo]\r\nGAIN num=2\r\n");
    const QByteArray crlf = "[COMInfo]\r\nother=1\r\n\r\n[X]\r\ny=2\r\n";
    EXPECT_EQ(IniFile::withValue(crlf, "COMINFO", "COM num", "5"),
              "[COMInfo]\r\nother=1\r\nCOM num=5\r\n\r\n[X]\r\ny=2\r\n");
    // Only the first of two sections of the same name is used, as the profile functions do.
    EXPECT_EQ(IniFile::withValue("[A]\r\n[a]\r\nk=1\r\n", "a", "k", "2"),
              "[A]\r\nk=2\r\n[a]\r\nk=1\r\n");
}

TEST(IniFile, ReadsIntegersAsGetPrivateProfileInt) {
    const QByteArray f = "[YOFFSETInfo]\nOFFSET num=  12abc\n[s]\na=-3\nb=+4\nc=abc\nd=\ne=\"7\"\n";
    auto value = [&](const char* section, const char* key) {
        const auto v = IniFile::lookup(f, section, key);
        return v ? IniFile::parseProfileInt(*v).value_or(-99) : -100;
    };
    EXPECT_EQ(value("yoffsetinfo", "offset NUM"), 12);
    EXPECT_EQ(value("s", "a"), -3);
    EXPECT_EQ(value("s", "b"), 4);
    EXPECT_EQ(value("s", "c"), -99);
    EXPECT_EQ(value("s", "d"), -99);
    EXPECT_EQ(value("s", "e"), 7);
    EXPECT_EQ(value("s", "missing"), -100);
    EXPECT_EQ(IniFile::parseProfileInt("99999999999").value(), INT_MAX);
}

TEST(IniFile, BadFilesNeverLoseTheirContent) {
    QTemporaryDir dir;
    // Binary bytes survive a write byte for byte, line endings aside.
    const QString bin = dir.filePath("bin.ini");
    QByteArray junk("\x00\x01\xff[COM\x00Info]\r\x7f", 12);
    writeAll(bin, junk);
    IniFile b(bin);
    EXPECT_EQ(b.readInt("COMInfo", "COM num", 1), 1);
    ASSERT_TRUE(b.writeInt("COMInfo", "COM num", 2));
    EXPECT_TRUE(readAll(bin).startsWith(junk));
    EXPECT_EQ(b.readInt("COMInfo", "COM num", 1), 2);

    // Too large to rewrite safely: read as defaults, never rewritten.
    const QString big = dir.filePath("big.ini");
    QByteArray huge(IniFile::kMaxSize + 10, 'x');
    huge.prepend("[COMInfo]\nCOM num=5\n");
    writeAll(big, huge);
    IniFile g(big);
    EXPECT_EQ(g.readInt("COMInfo", "COM num", 1), 1);
    EXPECT_FALSE(g.writeInt("COMInfo", "COM num", 3));
    EXPECT_EQ(QFileInfo(big).size(), huge.size());

    // Unreadable (a folder where the file should be) and read-only files.
    const QString folder = dir.filePath("folder.ini");
    ASSERT_TRUE(QDir().mkpath(folder));
    IniFile u(folder);
    EXPECT_EQ(u.readInt("COMInfo", "COM num", 1), 1);
    EXPECT_FALSE(u.writeInt("COMInfo", "COM num", 3));
    const QString ro = dir.filePath("ro.ini");
    writeAll(ro, "[COMInfo]\nCOM num=9\n");
    QFile::setPermissions(ro, QFile::ReadOwner | QFile::ReadUser);
    IniFile r(ro);
    EXPECT_EQ(r.readInt("COMInfo", "COM num", 1), 9);
    EXPECT_FALSE(r.writeInt("COMInfo", "COM num", 3));
    EXPECT_EQ(readAll(ro), "[COMInfo]\nCOM num=9\n");

    const QString empty = dir.filePath("empty.ini");
    writeAll(empty, "");
    EXPECT_EQ(IniFile(empty).readInt("COMInfo", "COM num", 1), 1);
}

// The settings file written at close on a full disk: the old content stays.
TEST(IniFileWrite, AFlushThatFailsLeavesTheFileAsItWas) {
    QTemporaryDir dir;
    const QString path = dir.filePath("KM905.ini");
    writeAll(path, "[COMInfo]\r\nCOM num=2\r\n[YGAINInfo]\r\nGAIN num=3\r\n");
    FileSteps steps = FileSteps::real();
    steps.flush = [](QFile&) { return QStringLiteral("No space left on device"); };
    EXPECT_FALSE(IniFile(path, steps).writeInt("COMInfo", "COM num", 5));
    EXPECT_EQ(readAll(path), "[COMInfo]\r\nCOM num=2\r\n[YGAINInfo]\r\nGAIN num=3\r\n");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"KM905.ini"}));
    EXPECT_TRUE(IniFile(path).writeInt("COMInfo", "COM num", 5));
    EXPECT_EQ(readAll(path), "[COMInfo]\r\nCOM num=5\r\n[YGAINInfo]\r\nGAIN num=3\r\n");
}
