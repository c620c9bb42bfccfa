// SPDX-License-Identifier: GPL-3.0-or-later
// km905-cli log's decisions on the virtual clock against the in-memory meter, in Berlin's
// time zone (TZ=Europe/Berlin): rows, days, gaps, a resumed file, the end.
#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "LinkHarness.h"
#include "core/livelog/LiveLog.h"

using namespace km905;

// Lines read as text in a failure's message.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}
QT_END_NAMESPACE

namespace {

// The rows are written for Berlin's clock. Wine keeps the machine's zone whatever TZ says, so
// there the cases skip rather than read a different day.
class BerlinTime : public testing::Environment {
  public:
    void SetUp() override {
        if (QDateTime(QDate(2025, 12, 8), QTime(12, 0)).offsetFromUtc() != 3600)
            GTEST_SKIP() << "needs the local time zone Europe/Berlin";
    }
};
const auto* const kBerlinTime = testing::AddGlobalTestEnvironment(new BerlinTime);

// Forwards each live frame to the log, as km905-cli's connection does.
struct FrameUi : ILinkUi {
    std::function<void()> onLcd;
    void repaintLcd() override {
        if (onLcd) onLcd();
    }
};

// The session on the simulated meter at port 1 and the log on it, started at startMs.
struct LogRig {
    LogRig(sim::Scenario s, qint64 startMs, const QString& folder, int intervalSecs = 1)
        : clock(startMs),
          meter(std::move(s)),
          comm(clock, meter),
          session({comm, clock, bridges, dialogs, ui, &journal}),
          log(session, clock, {intervalSecs, folder, LogRotation::Daily}) {
        ui.onLcd = [this] { log.onLiveFrame(); };
        log.onNote = [this](const QString& t) { notes << t; };
    }
    void start() {
        session.start({.port = 1, .watchDevices = false});
        ASSERT_TRUE(log.start());
    }
    VirtualClock clock;
    sim::MeterSimulator meter;
    sim::SimSerialControl comm;
    FrameUi ui;
    test::FakeBridgeList bridges;
    test::RecordingInteraction dialogs;
    test::MemoryJournalFile journal;
    Session session;
    LiveLog log;
    QStringList notes;
};

QStringList linesOf(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {QStringLiteral("(no file)")};
    const QString text = QString::fromUtf8(f.readAll());
    if (!text.endsWith('\n')) return {QStringLiteral("(cut last line)"), text};
    return text.split('\n', Qt::SkipEmptyParts);
}

const QString kHeader = QStringLiteral("time,lux,fc,unit,range,flags");
// 250 lux on the 400 range; 250 x 0.0929368 = 23.234 fc.
const QString k250 = QStringLiteral(",250.00,23.23,lux,400,");

sim::Scenario steady250() {
    sim::Scenario s = test::steadyScenario(250);
    s.range = 1;
    return s;
}

}  // namespace

TEST(LiveLog, ADayEndsAtLocalMidnightAndStopEndsTheLink) {
    QTemporaryDir dir;
    // 2025-12-08 23:59:50 in Berlin (22:59:50 UTC).
    LogRig rig(steady250(), 1765234790000, dir.path());
    rig.start();
    rig.clock.advance(20500);
    rig.log.stop();
    const size_t sent = rig.comm.sent().size();
    rig.clock.advance(5000);
    // The meter had the end of the link, and nothing after it: no byte, no row.
    EXPECT_EQ(rig.meter.endOfLinkCount(), 1);
    EXPECT_EQ(rig.comm.sent().size(), sent);

    QStringList day1{kHeader}, day2{kHeader};
    for (int s = 51; s <= 59; ++s)
        day1 << QStringLiteral("2025-12-08T23:59:%1+01:00").arg(s) + k250;
    for (int s = 0; s <= 10; ++s)
        day2 << QStringLiteral("2025-12-09T00:00:%1+01:00").arg(s, 2, 10, QChar('0')) + k250;
    EXPECT_EQ(linesOf(dir.filePath("2025-12-08.csv")), day1);
    EXPECT_EQ(linesOf(dir.filePath("2025-12-09.csv")), day2);
}

TEST(LiveLog, DaysOfTheClockChangesHold23And25Hours) {
    // Rows every 10 minutes from a second before local midnight to a second after the next.
    struct Day {
        qint64 startMs;
        qint64 runMs;
        QString name, first, lastBefore, firstAfter, last, next;
        int rows;
    };
    const Day days[] = {
        {1774738799000, (23 * 3600 + 2) * 1000, "2026-03-29.csv", "2026-03-29T00:00:00+01:00",
         "2026-03-29T01:50:00+01:00", "2026-03-29T03:00:00+02:00", "2026-03-29T23:50:00+02:00",
         "2026-03-30.csv", 23 * 6},
        {1792879199000, (25 * 3600 + 2) * 1000, "2026-10-25.csv", "2026-10-25T00:00:00+02:00",
         "2026-10-25T02:50:00+02:00", "2026-10-25T02:00:00+01:00", "2026-10-25T23:50:00+01:00",
         "2026-10-26.csv", 25 * 6},
    };
    const QString off = QStringLiteral(",,,,,MISSING OFF");
    for (const Day& day : days) {
        QTemporaryDir dir;
        sim::Scenario silent = steady250();
        silent.faults.silentAlways = true;  // switched off: the rows' times are what counts
        LogRig rig(silent, day.startMs, dir.path(), 600);
        rig.start();
        rig.clock.advance(day.runMs);
        rig.log.stop();
        const QStringList lines = linesOf(dir.filePath(day.name));
        ASSERT_EQ(lines.size(), day.rows + 1) << day.name.toStdString();
        EXPECT_EQ(lines[1], day.first + off);
        const qsizetype at = lines.indexOf(day.lastBefore + off);
        ASSERT_GT(at, 0) << day.name.toStdString();
        EXPECT_EQ(lines[at + 1], day.firstAfter + off);
        EXPECT_EQ(lines.last(), day.last + off);
        EXPECT_EQ(linesOf(dir.filePath(day.next)).value(1),
                  day.next.left(10) + "T00:00:00" + day.last.right(6) + off);
    }
}

TEST(LiveLog, AnUnplugOf30SecondsIs30MissingRowsThenReadingsAgain) {
    QTemporaryDir dir;
    // 2025-12-08 10:00:00 in Berlin.
    LogRig rig(steady250(), 1765184400000, dir.path());
    rig.start();
    rig.clock.advance(5300);
    rig.comm.unplug();
    rig.clock.advance(30000);
    rig.comm.replug();
    rig.clock.advance(10200);
    rig.log.stop();

    QStringList expected{kHeader};
    for (int s = 1; s <= 45; ++s) {
        const QString time = QStringLiteral("2025-12-08T10:00:%1+01:00").arg(s, 2, 10, QChar('0'));
        expected << time + (s >= 6 && s <= 35 ? QStringLiteral(",,,,,MISSING UNPLUGGED") : k250);
    }
    EXPECT_EQ(linesOf(dir.filePath("2025-12-08.csv")), expected);
    EXPECT_EQ(rig.log.rowsMissing(), 30);
}

TEST(LiveLog, ARestartSetsACutLastLineAsideAndAppendsAfterTheWholeOnes) {
    QTemporaryDir dir;
    const QByteArray whole = "2025-12-08T10:00:01+01:00,250.00,23.23,lux,400,\n";
    const QByteArray cut = "2025-12-08T10:00:02+01:00,25";
    {
        QFile day(dir.filePath("2025-12-08.csv"));
        ASSERT_TRUE(day.open(QIODevice::WriteOnly));
        day.write("time,lux,fc,unit,range,flags\n" + whole + cut);
    }
    // 2025-12-08 10:00:05 in Berlin.
    LogRig rig(steady250(), 1765184405000, dir.path());
    rig.start();
    rig.clock.advance(3500);
    rig.log.stop();

    QFile aside(dir.filePath("2025-12-08.csv.cut"));
    ASSERT_TRUE(aside.open(QIODevice::ReadOnly));
    EXPECT_EQ(aside.readAll(), cut);
    EXPECT_EQ(linesOf(dir.filePath("2025-12-08.csv")),
              QStringList({kHeader, QString::fromUtf8(whole).trimmed(),
                           "2025-12-08T10:00:06+01:00" + k250, "2025-12-08T10:00:07+01:00" + k250,
                           "2025-12-08T10:00:08+01:00" + k250}));
    EXPECT_TRUE(rig.notes.join('\n').contains("2025-12-08.csv.cut"))
        << rig.notes.join('\n').toStdString();
}
