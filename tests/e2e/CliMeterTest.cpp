// SPDX-License-Identifier: GPL-3.0-or-later
// km905-cli's meter commands against km905-sim on a pseudo-terminal, in real time. What they
// write is compared byte for byte with what the program's windows save for the same
// simulated records (downloaded here on virtual time), and with the file layouts by hand.
#include <gtest/gtest.h>

#include "LinkHarness.h"
#include "SimProgram.h"
#include "WaitFor.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "core/app/SaveSequences.h"
#include "core/app/Settings.h"
#include "core/logger/LoggerWindow.h"

using namespace km905;
using km905::test::waitFor;

namespace {

// Two memory records and two short datalogger records.
const char* const kScenario =
    "level const 1234\nrange 2\n"
    "memory 2026-12-06 10:20:30 250 lux none\n"
    "memory 2026-12-06 10:21:00 20000 fc max neg\n"
    "logger 2026-12-06 08:00:00 2 lux 100 200 300\n"
    "logger 2026-12-06 09:30:00 5 fc 10 OL\n";

struct CliRun {
    int status = -1;
    QString out, err;
};

QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList filesIn(const QString& dir) {
    return QDir(dir).entryList(QDir::Files, QDir::Name);
}

uint32_t int32At(const QByteArray& b, int at) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = v << 8 | static_cast<uint8_t>(b[at + i]);
    return v;
}

// The simulated meter at port 1, and a home folder of its own for km905-cli's settings; the
// program's side has a data folder of its own.
class CliMeter : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(m_dev.isValid() && m_work.isValid());
        m_env = m_home.environment();
        m_env.insert("KM905_DEV_DIR", m_dev.path());
        QFile scenario(m_dev.filePath("scenario.txt"));
        ASSERT_TRUE(scenario.open(QIODevice::WriteOnly));
        scenario.write(kScenario);
        scenario.close();
        m_sim.setProcessEnvironment(m_env);
        m_sim.start(KM905_SIM_BINARY, {"--scenario", scenario.fileName()});
        ASSERT_TRUE(m_sim.waitForStarted(5000));
        ASSERT_TRUE(waitFor([&] { return m_sim.canReadLine(); }, 5000));
        m_sim.readLine();  // where the meter is
    }
    void TearDown() override {
        m_sim.terminate();
        m_sim.waitForFinished(3000);
    }

    CliRun cli(const QStringList& args) {
        QProcess p;
        p.setProcessEnvironment(m_env);
        p.start(KM905_CLI_BINARY, args);
        p.waitForFinished(30000);
        return {p.exitCode(), QString::fromLocal8Bit(p.readAllStandardOutput()),
                QString::fromLocal8Bit(p.readAllStandardError())};
    }
    QString work(const QString& name) { return m_work.filePath(name); }

    QTemporaryDir m_dev, m_work;
    test::ScratchHome m_home;
    QProcessEnvironment m_env;
    QProcess m_sim;
};

// The program's side: the same records downloaded on virtual time from the same scenario.
struct ProgramSide {
    ProgramSide() : h(sim::parseScenario(QString::fromLatin1(kScenario))) {
        h.link.reopenAndPoll();
        h.clock.advance(100);
    }
    test::LinkHarness h;
};

}  // namespace

TEST_F(CliMeter, MemoryDownloadWritesWhatTheMemoryListSaves) {
    const qint64 before = QDateTime::currentSecsSinceEpoch();
    const CliRun r = cli({"download", "memory", "--port", "1", "-o", work("cli")});
    const qint64 after = QDateTime::currentSecsSinceEpoch();
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const QStringList written = filesIn(work("cli"));
    ASSERT_EQ(written.size(), 2);
    // Named as the memory list's Save proposes: the time of the save.
    const QString name = QFileInfo(written[0]).completeBaseName();
    bool inTime = false;
    for (qint64 t = before; t <= after; ++t)
        inTime |= QDateTime::fromSecsSinceEpoch(t).toString("MM-dd-yy HH.mm.ss") == name;
    EXPECT_TRUE(inTime) << name.toStdString();
    EXPECT_EQ(written, QStringList({name + ".MemDat", name + ".csv"}));
    EXPECT_EQ(r.out, work("cli/") + name + ".MemDat\n" + work("cli/") + name + ".csv\n");

    const QByteArray list = bytesOf(work("cli/") + name + ".MemDat");
    // 10 bytes of magic and count, then 250 lux "General" and 20000 lux "Max", each with
    // its 17-character time: 4 + 1 + 8 + 1 + 18 and 4 + 1 + 4 + 1 + 18.
    ASSERT_EQ(list.size(), 70);
    EXPECT_EQ(int32At(list, 6), 2u);
    EXPECT_EQ(list.mid(10, 4), QByteArray("\x00\x00\x7A\x43", 4));  // 250.0f

    ProgramSide program;
    program.h.link.startMemDownload();
    ASSERT_TRUE(
        program.h.clock.runUntil([&] { return program.h.model.frame.mode.memReady(); }, 5000));
    program.h.dialogs.fileAnswers = {work("program/list")};
    QDir().mkpath(work("program"));
    ASSERT_EQ(saveMemoryList(program.h.data.settings(), program.h.model, program.h.dialogs, 0),
              SaveOutcome::Saved);
    EXPECT_EQ(list, bytesOf(work("program/list.MemDat")));
    EXPECT_EQ(bytesOf(work("cli/") + name + ".csv"), bytesOf(work("program/list.csv")));
}

TEST_F(CliMeter, LoggerDownloadSavesEachRecordAsTheWindowDoesAndTheKeptBytesGiveTheSame) {
    const CliRun r =
        cli({"download", "logger", "--port", "1", "-o", work("cli"), "--raw", work("raw.bin")});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const QStringList names = {"12-06-26 08.00.00.AsmDat", "12-06-26 08.00.00.csv",
                               "12-06-26 09.30.00.AsmDat", "12-06-26 09.30.00.csv"};
    EXPECT_EQ(filesIn(work("cli")), names);
    EXPECT_EQ(bytesOf(work("cli/12-06-26 08.00.00.AsmDat")).size(), 47 + 4 * 3);
    EXPECT_EQ(bytesOf(work("cli/12-06-26 09.30.00.AsmDat")).size(), 47 + 4 * 2);
    // Two records: a 13-byte header and 3 bytes a sample.
    EXPECT_EQ(bytesOf(work("raw.bin")).size(), 13 + 3 * 3 + 13 + 3 * 2);

    // The datalogger window: each row double-clicked, then Save with the proposed name.
    ProgramSide program;
    program.h.link.startLogDownload();
    ASSERT_TRUE(
        program.h.clock.runUntil([&] { return program.h.model.frame.mode.logReady(); }, 5000));
    const QString saved = program.h.data.folder();
    {
        LoggerWindow window(program.h.model, program.h.dialogs, program.h.data.settings());
        for (int row = 0; row < 2; ++row) {
            window.doubleClick(row);
            program.h.dialogs.fileAnswers = {test::RecordingInteraction::kAcceptProposed};
            ASSERT_EQ(window.save(), SaveOutcome::Saved);
        }
        window.close();
    }
    for (const QString& name : names)
        EXPECT_EQ(bytesOf(work("cli/") + name), bytesOf(saved + "/" + name)) << name.toStdString();

    const CliRun parsed = cli({"parse-raw", work("raw.bin"), "-o", work("later")});
    ASSERT_EQ(parsed.status, 0) << parsed.err.toStdString();
    EXPECT_EQ(filesIn(work("later")), names);
    for (const QString& name : names)
        EXPECT_EQ(bytesOf(work("later/") + name), bytesOf(work("cli/") + name))
            << name.toStdString();
}

// Run at 1 s, two samples, Stop and Save: the graph file and its export by their layouts.
TEST_F(CliMeter, RecordWritesTheRecordingAsSaveWritesIt) {
    const qint64 before = QDateTime::currentSecsSinceEpoch();
    const CliRun r =
        cli({"record", "--port", "1", "--interval", "1", "--count", "2", "-o", work("rec")});
    const qint64 after = QDateTime::currentSecsSinceEpoch();
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, work("rec.AsmDat") + "\n" + work("rec.csv") + "\n");
    const QByteArray g = bytesOf(work("rec.AsmDat"));
    ASSERT_EQ(g.size(), 47 + 4 * 2);
    EXPECT_EQ(g.left(6), QByteArray("\x05KM905"));
    EXPECT_EQ(int32At(g, 6), 2u);            // both samples from meter frames
    EXPECT_EQ(int32At(g, 10), 2u);           // N
    EXPECT_EQ(int32At(g, 14), 0x449A4000u);  // 1234.0f
    EXPECT_EQ(int32At(g, 18), 0x449A4000u);
    EXPECT_EQ(int32At(g, 22), 400u);            // the 4k lux range: 10 x 40 a division
    EXPECT_EQ(g[26], '\0');                     // lux
    EXPECT_EQ(int32At(g, 47 + 4 * 2 - 4), 1u);  // 1 s
    const QDateTime start(QDate(int32At(g, 27), int32At(g, 31), int32At(g, 35)),
                          QTime(int32At(g, 39), int32At(g, 43), int32At(g, 47)));
    EXPECT_GE(start.toSecsSinceEpoch(), before);
    EXPECT_LE(start.toSecsSinceEpoch(), after);

    const QByteArray csv = bytesOf(work("rec.csv"));
    ASSERT_TRUE(csv.startsWith("\xFF\xFE"));
    const QString text = QString::fromUtf16(reinterpret_cast<const char16_t*>(csv.constData() + 2),
                                            (csv.size() - 2) / 2);
    const QString row = "%1\t1.23K\tLux\t %2\r\n";
    EXPECT_EQ(text, "NO\tData\tUNIT\tTIME\r\n" +
                        row.arg(1).arg(start.toString("MM/dd/yy HH:mm:ss")) +
                        row.arg(2).arg(start.addSecs(1).toString("MM/dd/yy HH:mm:ss")));
}

// log in a time zone whose midnight comes four seconds after the start (an offset from UTC
// to the second, which POSIX TZ allows): the day's file gives way to the next day's at the
// local midnight; SIGTERM then ends the meter's link and the command exits 0.
TEST_F(CliMeter, LogStartsTheNextDaysFileAtLocalMidnightAndEndsTheLinkOnSigterm) {
    const qint64 now = QDateTime::currentSecsSinceEpoch();
    qint64 ahead = (86396 - now % 86400 + 86400) % 86400;  // local time 23:59:56 now
    if (ahead > 43200) ahead -= 86400;
    const qint64 west = -ahead;  // TZ counts hours west of Greenwich
    const qint64 w = std::llabs(west);
    QProcessEnvironment env = m_env;
    env.insert("TZ", QString::asprintf("MID%c%02lld:%02lld:%02lld", west < 0 ? '-' : '+', w / 3600,
                                       w % 3600 / 60, w % 60));
    const QDate today = QDateTime::fromSecsSinceEpoch(now + ahead, Qt::UTC).date();
    const QString day1 = work(today.toString(Qt::ISODate) + ".csv");
    const QString day2 = work(today.addDays(1).toString(Qt::ISODate) + ".csv");

    QProcess log;
    log.setProcessEnvironment(env);
    log.start(KM905_CLI_BINARY, {"log", "--interval", "1", "--port", "1", "--out", work("")});
    ASSERT_TRUE(log.waitForStarted(5000));
    const auto rows = [](const QString& path) {
        return QString::fromUtf8(bytesOf(path)).split('\n', Qt::SkipEmptyParts);
    };
    ASSERT_TRUE(waitFor([&] { return rows(day2).size() >= 3; }, 15000))
        << log.readAllStandardError().toStdString();
    log.terminate();
    ASSERT_TRUE(log.waitForFinished(5000));
    EXPECT_EQ(log.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(log.exitCode(), 0) << log.readAllStandardError().toStdString();
    QByteArray simLog;
    EXPECT_TRUE(waitFor(
        [&] { return simLog.append(m_sim.readAllStandardOutput()).contains("key end of link"); },
        5000))
        << simLog.right(300).toStdString();

    // 1234 lux on the 4k range, 114.68 fc; times in the zone's own day.
    const QStringList first = rows(day1), second = rows(day2);
    ASSERT_GE(first.size(), 2);
    EXPECT_EQ(first[0], "time,lux,fc,unit,range,flags");
    EXPECT_TRUE(first.last().startsWith(today.toString(Qt::ISODate) + "T23:59:59"));
    EXPECT_TRUE(first.last().endsWith(",1234.00,114.68,lux,4k,")) << first.last().toStdString();
    EXPECT_EQ(second[0], "time,lux,fc,unit,range,flags");
    EXPECT_TRUE(second[1].startsWith(today.addDays(1).toString(Qt::ISODate) + "T00:00:00"));
    for (qsizetype i = 1; i < second.size(); ++i)
        EXPECT_TRUE(second[i].endsWith(",1234.00,114.68,lux,4k,")) << second[i].toStdString();
    EXPECT_TRUE(bytesOf(day2).endsWith('\n'));
}

// Stopped (Ctrl+C or SIGTERM) while the datalogger stream comes: the bytes reach the disk
// beside --raw's file as they come, the file that was there stays whole meanwhile, and every
// byte that came is kept under its name. The meter announces 20000 bytes and stops after
// 16000: a header of 13 bytes, no samples, then padding.
TEST(CliLoggerStream, AnInterruptedDownloadKeepsEveryByteThatCame) {
    test::SimProgram meter(
        "logger 2026-12-06 08:00:00 1 lux\nloggerpad 19987\nfault stopstream 16000\n",
        {"--unpaced"});
    ASSERT_TRUE(meter.ready());
    const QString folder = meter.home("raw");
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString raw = folder + "/raw.bin";
    QFile old(raw);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("a good file");
    old.close();
    QProcess p;
    p.setProcessEnvironment(meter.environment());
    p.start(KM905_CLI_BINARY, {"download", "logger", "--port", "1", "-o", meter.home("out"),
                               "--raw", raw, "--force"});
    // The file km905-cli holds open in the folder: a temporary one, which may have no name
    // there until it is finished.
    auto growing = [&] {
        const QDir fds(QStringLiteral("/proc/%1/fd").arg(p.processId()));
        for (const QFileInfo& fd : fds.entryInfoList(QDir::AllEntries | QDir::System))
            if (fd.symLinkTarget().startsWith(folder + "/")) return fd.size();
        return qint64(-1);
    };
    ASSERT_TRUE(waitFor([&] { return growing() == 16000; }, 20000)) << growing();
    EXPECT_EQ(bytesOf(raw), "a good file");
    p.terminate();
    ASSERT_TRUE(p.waitForFinished(10000));
    EXPECT_EQ(p.exitCode(), 130);
    EXPECT_EQ(QString::fromLocal8Bit(p.readAllStandardOutput()), raw + "\n");
    EXPECT_TRUE(QString::fromLocal8Bit(p.readAllStandardError())
                    .endsWith("km905-cli: interrupted; the download was given up: 16000 of "
                              "20000 bytes came\n"));
    const QByteArray header("\xAA\x56\x00\x01\x00\x00\x26\x00\x12\x06\x08\x00\x00", 13);
    EXPECT_EQ(bytesOf(raw), header + QByteArray(16000 - 13, '\0'));
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList({"raw.bin"}));
    EXPECT_EQ(filesIn(meter.home("out")), QStringList());
}

TEST(CliMeterless, APortThatCannotBeOpenedEndsWithThree) {
    QTemporaryDir dev;
    test::ScratchHome home;
    QProcessEnvironment env = home.environment();
    env.insert("KM905_DEV_DIR", dev.path());
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(KM905_CLI_BINARY, {"download", "logger", "--port", "3", "-o", home.path()});
    ASSERT_TRUE(p.waitForFinished(10000));
    EXPECT_EQ(p.exitCode(), 3);
    EXPECT_TRUE(
        QString::fromLocal8Bit(p.readAllStandardError())
            .startsWith("km905-cli: port 3 (" + dev.path() + "/ttyUSB2): cannot be opened"));
    EXPECT_EQ(QDir(home.path()).entryList(QDir::Files), QStringList());
}

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
