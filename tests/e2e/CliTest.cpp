// km905-cli as a user runs it.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace {

struct CliRun {
    int status;
    QString out, err;
};

CliRun cli(const QStringList& args) {
    QProcess p;
    p.start(KM905_CLI_BINARY, args);
    p.waitForFinished(10000);
    return {p.exitCode(), QString::fromLocal8Bit(p.readAllStandardOutput()),
            QString::fromLocal8Bit(p.readAllStandardError())};
}

QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class Cli : public testing::Test {
  protected:
    QString copy(const QString& golden, const QString& as) {
        const QString path = m_dir.filePath(as);
        QFile::copy(KM905_TEST_DATA "/" + golden, path);
        return path;
    }
    QTemporaryDir m_dir;
};

}  // namespace

TEST_F(Cli, InfoDescribesBothKinds) {
    const CliRun r = cli(
        {"info", copy("three-lux.AsmDat", "a.AsmDat"), copy("general-250lux.MemDat", "b.MemDat")});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains("kind:       graph file (AsmDat)"));
    EXPECT_TRUE(r.out.contains("readings:   3 (3 from meter frames)"));
    EXPECT_TRUE(r.out.contains("start:      03/01/26 08:15:30"));
    EXPECT_TRUE(r.out.contains("first:      250.00, 1.23K, OL"));
    EXPECT_TRUE(r.out.contains("records:    1"));
    EXPECT_TRUE(r.out.contains("250.00 Lux  General  01/02/19 10:20:30"));
}

TEST_F(Cli, ExportWritesWhatTheProgramsSaveWrites) {
    const QString graph = copy("three-fc.AsmDat", "Test.AsmDat");
    const QString list = copy("general-250lux.MemDat", "Mem.MemDat");
    const CliRun r = cli({"export", graph, list});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, m_dir.filePath("Test.csv") + "\n" + m_dir.filePath("Mem.csv") + "\n");
    EXPECT_EQ(bytesOf(m_dir.filePath("Test.csv")), bytesOf(KM905_TEST_DATA "/three-fc.csv"));
    EXPECT_EQ(bytesOf(m_dir.filePath("Mem.csv")), bytesOf(KM905_TEST_DATA "/general-250lux.csv"));
}

TEST_F(Cli, RefusedFilesAreReportedWithANonZeroExit) {
    const QString bad = m_dir.filePath("bad.MemDat");
    QFile f(bad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("\x05KM906\0\0\0\0", 10);
    f.close();
    CliRun r = cli({"info", bad});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "km905-cli: " + bad + ": Invalid Format!\n");
    const QString cut = m_dir.filePath("cut.AsmDat");
    QFile c(cut);
    ASSERT_TRUE(c.open(QIODevice::WriteOnly));
    c.write(bytesOf(KM905_TEST_DATA "/three-lux.AsmDat").left(20));
    c.close();
    r = cli({"export", cut});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains("ends early"));
    EXPECT_FALSE(QFile::exists(m_dir.filePath("cut.csv")));
    EXPECT_EQ(cli({"frobnicate"}).status, 2);
    EXPECT_TRUE(cli({"--help"}).out.contains("Usage: km905-cli info FILE"));
}
