// SPDX-License-Identifier: GPL-3.0-or-later
// km905-cli as a user runs it.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <vector>

#include "ConsoleText.h"
#include "ScratchFolders.h"

namespace {

struct CliRun {
    int status;
    QString out, err;
};

CliRun cli(const QStringList& args) {
    // A home of its own: the user's settings are neither read nor made.
    const km905::test::ScratchHome home;
    QProcess p;
    p.setProcessEnvironment(home.environment());
    p.start(KM905_CLI_BINARY, args);
    p.waitForFinished(10000);
    return {p.exitCode(), km905::test::consoleText(p.readAllStandardOutput()),
            km905::test::consoleText(p.readAllStandardError())};
}

QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A small reader of comma-separated text: a quoted field may hold commas, quotes and breaks.
std::vector<QStringList> readCsv(const QString& text) {
    std::vector<QStringList> rows;
    QStringList row;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            row << field;
            field.clear();
        } else if (c == '\n') {
            rows.push_back(row << field);
            row.clear();
            field.clear();
        } else if (c != '\r') {
            field += c;
        }
    }
    if (!field.isEmpty() || !row.isEmpty()) rows.push_back(row << field);
    return rows;
}

// Little-endian 32-bit values, as the program's files hold them.
QByteArray int32s(std::initializer_list<uint32_t> values) {
    QByteArray out;
    for (uint32_t v : values)
        for (int i = 0; i < 4; ++i) out.append(static_cast<char>(v >> (8 * i)));
    return out;
}

// A string of a list file: its length byte, then the characters.
QByteArray listString(const QByteArray& text) {
    return static_cast<char>(text.size()) + text;
}

QString utf16Text(const QByteArray& file) {
    if (!file.startsWith("\xFF\xFE")) return "no byte-order mark";
    return QString::fromUtf16(reinterpret_cast<const char16_t*>(file.constData() + 2),
                              (file.size() - 2) / 2);
}

class Cli : public testing::Test {
  protected:
    QString copy(const QString& golden, const QString& as) {
        const QString path = m_dir.filePath(as);
        QFile::copy(KM905_TEST_DATA "/" + golden, path);
        return path;
    }
    QString write(const QString& name, const QByteArray& bytes) {
        const QString path = m_dir.filePath(name);
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size()) return {};
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

// The program's own export of a real-time recording has rows the graph file cannot give back,
// so it is replaced only when asked.
TEST_F(Cli, AnExportAlreadyThereIsKeptUnlessAsked) {
    const QString graph = copy("three-fc.AsmDat", "Test.AsmDat");
    const QString csv = m_dir.filePath("Test.csv");
    QFile old(csv);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("the program's export");
    old.close();
    CliRun r = cli({"export", graph});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "km905-cli: " + csv +
                         ": already exists; --force replaces it, -o OUT writes elsewhere\n");
    EXPECT_EQ(bytesOf(csv), "the program's export");

    const QString other = m_dir.filePath("other.csv");
    r = cli({"export", "-o", other, graph});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, other + "\n");
    EXPECT_EQ(bytesOf(other), bytesOf(KM905_TEST_DATA "/three-fc.csv"));
    EXPECT_EQ(bytesOf(csv), "the program's export");

    r = cli({"export", "--force", graph});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(bytesOf(csv), bytesOf(KM905_TEST_DATA "/three-fc.csv"));

    EXPECT_EQ(cli({"export", "-o", other, graph, graph}).status, 2);  // one output, one file
    EXPECT_EQ(cli({"export", "-o", graph, graph}).status, 1);         // never over the file
    EXPECT_EQ(bytesOf(graph), bytesOf(KM905_TEST_DATA "/three-fc.AsmDat"));
}

TEST_F(Cli, HelpSaysWhatARealTimeFilesExportHolds) {
    const CliRun r = cli({"--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(r.out.contains("one row per stored")) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains("one row per meter frame")) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains("  --force             replaces files already there"));
}

// UTF-8, commas, ISO times and plain numbers in both units; an over-range reading has no
// numbers, only its flag.
TEST_F(Cli, TheCsvFormatIsReadWithoutHelp) {
    const QString graph = copy("three-fc.AsmDat", "Test.AsmDat");
    const QString list = copy("general-250lux.MemDat", "Mem.MemDat");
    CliRun r = cli({"export", "--format", "csv", graph, list});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const QString graphCsv = m_dir.filePath("Test.utf8.csv");
    const QString listCsv = m_dir.filePath("Mem.utf8.csv");
    EXPECT_EQ(r.out, graphCsv + "\n" + listCsv + "\n");
    EXPECT_FALSE(QFile::exists(m_dir.filePath("Test.csv")));  // the program's export's name
    const QByteArray graphBytes = bytesOf(graphCsv);
    EXPECT_EQ(QString::fromUtf8(graphBytes).toUtf8(), graphBytes);
    const std::vector<QStringList> g = readCsv(QString::fromUtf8(graphBytes));
    ASSERT_EQ(g.size(), 4u);
    EXPECT_EQ(g[0], QStringList({"number", "time", "lux", "fc", "unit", "flag"}));
    EXPECT_EQ(g[1], QStringList({"1", "2026-03-01T08:15:30", "250.00", "23.23", "fc", ""}));
    EXPECT_EQ(g[2], QStringList({"2", "2026-03-01T08:15:32", "1234.50", "114.73", "fc", ""}));
    EXPECT_EQ(g[3], QStringList({"3", "2026-03-01T08:15:34", "", "", "fc", "OL"}));
    const std::vector<QStringList> l = readCsv(QString::fromUtf8(bytesOf(listCsv)));
    ASSERT_EQ(l.size(), 2u);
    EXPECT_EQ(l[0], QStringList({"number", "time", "lux", "fc", "unit", "mode", "flag"}));
    EXPECT_EQ(l[1],
              QStringList({"1", "2019-01-02T10:20:30", "250.00", "23.23", "lux", "General", ""}));

    // Kept unless asked, as the other export.
    QFile old(graphCsv);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("edited");
    old.close();
    r = cli({"export", "--format", "csv", graph});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(bytesOf(graphCsv), "edited");
    r = cli({"export", "--format", "csv", "--force", graph});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(bytesOf(graphCsv), graphBytes);
    EXPECT_EQ(cli({"export", "--format", "xls", graph}).status, 2);

    // "-o -": the export and nothing else on standard output, for a pipe.
    r = cli({"export", "--format", "csv", "-o", "-", graph});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out.toUtf8(), graphBytes);
    EXPECT_EQ(r.err, "");
    EXPECT_FALSE(QFile::exists("-"));
    r = cli({"export", "--format", "csv", "-o", "-", m_dir.filePath("none.AsmDat")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
}

TEST_F(Cli, VersionAndAWrongCommandLine) {
    CliRun r = cli({"--version"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "km905-cli 2.3.3\n");
    r = cli({"download", "memory", "--no-such-option"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "km905-cli: Unknown option 'no-such-option'. (see --help)\n");
    EXPECT_EQ(cli({"download", "memory", "--port", "one"}).status, 2);
    EXPECT_EQ(cli({"download", "memory", "--raw", "x"}).status, 2);  // only a datalogger's bytes
    EXPECT_EQ(cli({"record", "--count", "3"}).status, 2);            // no interval
    r = cli({"monitor", "--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(r.out.contains("Exit status:"));
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

#ifndef _WIN32  // Windows has no named pipes in the file system
TEST_F(Cli, APipeIsRefusedAtOnceInsteadOfBlocking) {
    const QString pipe = m_dir.filePath("pipe.AsmDat");
    ASSERT_EQ(QProcess::execute("mkfifo", {pipe}), 0);
    const CliRun r = cli({"info", pipe});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "km905-cli: " + pipe + ": pipe.AsmDat is not a regular file\n");
}
#endif

// Dates no calendar has, from a damaged file, are shown as dashes rather than handed to the
// C library.
TEST_F(Cli, ImpossibleDatesShowAsDashes) {
    QByteArray file("\x05KM905", 6);
    auto int32 = [&](uint32_t v) {
        for (int i = 0; i < 4; ++i) file.append(static_cast<char>(v >> (8 * i)));
    };
    int32(1);           // header count
    int32(1);           // N
    int32(0x437A0000);  // 250.0 lux
    int32(40);          // scale
    file.append('\0');  // lux
    for (uint32_t field : {0x80000000u, 0x7FFFFFFFu, 1u, 0u, 0u, 0u}) int32(field);
    int32(1);  // interval
    const QString path = m_dir.filePath("odd.AsmDat");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(file);
    f.close();
    CliRun r = cli({"info", path});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains("start:      --/--/-- --:--:--")) << r.out.toStdString();
    r = cli({"export", path});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    const QByteArray csv = bytesOf(m_dir.filePath("odd.csv"));
    EXPECT_EQ(QString::fromUtf16(reinterpret_cast<const char16_t*>(csv.constData() + 2),
                                 (csv.size() - 2) / 2),
              "NO\tData\tUNIT\tTIME\r\n1\t250.00\tLux\t --/--/-- --:--:--\r\n");
}

// A real file system that fills up: the export fails with the system's reason and a non-zero
// exit, and the export that was there stays whole.
TEST_F(Cli, AFullDiskKeepsTheOldExportAndFails) {
    QTemporaryDir mountPoint;
    if (QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=12k", "tmpfs", mountPoint.path()}) !=
        0)
        GTEST_SKIP() << "no tmpfs can be mounted here (needs root)";
    struct Unmount {
        QString path;
        ~Unmount() { QProcess::execute("umount", {path}); }
    } unmount{mountPoint.path()};
    const QString graph = mountPoint.filePath("big.AsmDat");
    QByteArray file("\x05KM905", 6);
    auto int32 = [&](uint32_t v) {
        for (int i = 0; i < 4; ++i) file.append(static_cast<char>(v >> (8 * i)));
    };
    int32(400);
    int32(400);
    for (int i = 0; i < 400; ++i) int32(0x437A0000);
    for (uint32_t field : {40u, 0u}) int32(field);
    file.chop(3);  // the unit is one byte
    for (uint32_t field : {2026u, 3u, 1u, 8u, 15u, 30u, 1u}) int32(field);
    QFile g(graph);
    ASSERT_TRUE(g.open(QIODevice::WriteOnly));
    ASSERT_EQ(g.write(file), file.size());
    g.close();
    const QString csv = mountPoint.filePath("big.csv");
    QFile old(csv);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old export");
    old.close();
    const CliRun r = cli({"export", "--force", graph});  // 400 rows of about 70 bytes: no room
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(
        r.err.startsWith("km905-cli: " + csv + ": cannot be written: No space left on device"))
        << r.err.toStdString();
    EXPECT_EQ(bytesOf(csv), "old export");
    EXPECT_EQ(QDir(mountPoint.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
              QStringList({"big.AsmDat", "big.csv"}));
}

// Four datalogger records: two started in the same second, and two whose dates the meter
// could not give (month 13, day 0). Each gets files of its own, under names no command line
// takes for an option; a second run with --force replaces the files of the first.
TEST_F(Cli, EveryDataloggerRecordGetsFilesOfItsOwn) {
    auto header = [](char month, char day) {
        return QByteArray("\xAA\x56\x00\x02\x00\x00\x26\x00", 8) + month + day +
               QByteArray("\x08\x15\x30", 3);  // every 2 s in lux, 2026-MM-DD 08:15:30
    };
    const QByteArray raw =
        header('\x03', '\x01') + QByteArray("\x02\x32\x02", 3) +  // 250 counts, range 2
        header('\x03', '\x01') + QByteArray("\x0C\x22\x02", 3) +  // 1234 counts
        header('\x13', '\x01') + QByteArray("\x01\x00\x02", 3) +  // 100 counts
        header('\x03', '\x00') + QByteArray("\x28\x00\x02", 3);   // 4000 counts: OL
    ASSERT_EQ(raw.size(), 64);
    const QString rawPath = write("raw.bin", raw);
    const QString out = m_dir.filePath("out");
    const QStringList names = {"03-01-26 08.15.30", "03-01-26 08.15.30 (2)", "record 3",
                               "record 4"};
    QString printed;
    QStringList files;
    for (const QString& name : names) {
        printed += out + "/" + name + ".AsmDat\n" + out + "/" + name + ".csv\n";
        files << name + ".AsmDat" << name + ".csv";
    }
    files.sort();
    // One reading each: its float, then the start fields and the 2 s interval.
    const struct {
        uint32_t reading;
        uint32_t month, day;
        const char* row;
    } expected[] = {{0x437A0000, 3, 1, "1\t250.00\tLux\t 03/01/26 08:15:30"},
                    {0x449A4000, 3, 1, "1\t1.23K\tLux\t 03/01/26 08:15:30"},
                    {0x42C80000, 13, 1, "1\t100.00\tLux\t --/--/-- --:--:--"},
                    {0x4A989680, 3, 0, "1\tOL\tLux\t --/--/-- --:--:--"}};
    for (int run = 1; run <= 2; ++run) {
        SCOPED_TRACE(run);
        const CliRun r = cli({"parse-raw", "--force", rawPath, "-o", out});
        EXPECT_EQ(r.status, 0) << r.err.toStdString();
        EXPECT_EQ(r.out, printed);
        EXPECT_EQ(QDir(out).entryList(QDir::Files | QDir::Hidden, QDir::Name), files);
        for (int k = 0; k < 4; ++k) {
            SCOPED_TRACE(names[k].toStdString());
            const QByteArray graph = bytesOf(out + "/" + names[k] + ".AsmDat");
            ASSERT_EQ(graph.size(), 47 + 4);
            EXPECT_EQ(graph.left(18),
                      QByteArray("\x05KM905", 6) + int32s({1, 1, expected[k].reading}));
            // The scale (bytes 18..21) is the window's Y gain; then lux and the start.
            EXPECT_EQ(graph.mid(22),
                      '\0' + int32s({2026, expected[k].month, expected[k].day, 8, 15, 30, 2}));
            EXPECT_EQ(utf16Text(bytesOf(out + "/" + names[k] + ".csv")),
                      QString("NO\tData\tUNIT\tTIME\r\n") + expected[k].row + "\r\n");
        }
    }
}

// Texts a damaged or crafted list file holds: escape sequences never reach the terminal, and
// a mode that looks like a formula is written to the comma-separated export as text, while
// the program's own negative values stay numbers.
TEST_F(Cli, TextsFromAFileAreShownAndExportedAsText) {
    const QByteArray file = QByteArray("\x05KM905", 6) + int32s({3}) + int32s({0x437A0000}) + '\0' +
                            listString("=HYPERLINK(\"http://x\",\"y\")") + '\0' +
                            listString("01/02/19 10:20:30") + int32s({0x437A0000}) + '\0' +
                            listString("\x1b]0;owned\x07\x1b[2J\\") + '\x01' +
                            listString("--/--/-- --:--:--") + int32s({0x437A0000}) + '\0' +
                            listString("General\r\n@SUM(1)") + '\0' + listString("+1\t2");
    const QString path = write("odd.MemDat", file);
    CliRun r = cli({"info", path});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out,
              path +
                  "\n"
                  "  kind:       memory list file (MemDat)\n"
                  "  records:    3\n"
                  "    1      250.00 Lux  =HYPERLINK(\"http://x\",\"y\")  01/02/19 10:20:30\n"
                  "    2     -250.00 Lux  \\x1b]0;owned\\x07\\x1b[2J\\\\  --/--/-- --:--:--\n"
                  "    3      250.00 Lux  General\\x0d\\x0a@SUM(1)  +1\\x092\n");

    r = cli({"export", "--format", "csv", path});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(
        bytesOf(m_dir.filePath("odd.utf8.csv")),
        "number,time,lux,fc,unit,mode,flag\n"
        "1,2019-01-02T10:20:30,250.00,23.23,lux,\"'=HYPERLINK(\"\"http://x\"\",\"\"y\"\")\",\n"
        "2,,-250.00,-23.23,lux,\x1b]0;owned\x07\x1b[2J\\,\n"
        "3,,250.00,23.23,lux,\"General\r\n@SUM(1)\",\n");
}
