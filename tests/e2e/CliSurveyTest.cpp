// SPDX-License-Identifier: GPL-3.0-or-later
// km905-cli's lighting survey commands as a user runs them.
#include <gtest/gtest.h>

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "ConsoleText.h"
#include "HostTool.h"
#include "PdfInfo.h"
#include "ScratchFolders.h"
#include "core/files/ListFile.h"
#include "core/model/MeterTypes.h"

using namespace km905;

namespace {

struct CliRun {
    int status;
    QString out, err;
};

CliRun cli(const QStringList& args) {
    QProcess p;
    // No display, no platform named and no runtime folder, as under cron or su: the report
    // draws offscreen by itself. A home of its own: the user's task areas are not read.
    const test::ScratchHome home;
    QProcessEnvironment env = home.environment();
    env.remove("QT_QPA_PLATFORM");
    env.remove("DISPLAY");
    env.remove("WAYLAND_DISPLAY");
    env.remove("XDG_RUNTIME_DIR");
    p.setProcessEnvironment(env);
    p.start(KM905_CLI_BINARY, args);
    p.waitForFinished(20000);
    return {p.exitCode(), km905::test::consoleText(p.readAllStandardOutput()),
            km905::test::consoleText(p.readAllStandardError())};
}

QString run(const QString& program, const QStringList& args) {
    const km905::test::HostRun r = km905::test::hostRun(program, args);
    if (!r.ran) return QStringLiteral("<%1 did not run>").arg(program);
    return QString::fromUtf8(r.out);
}

// Four normal readings, a relative one and an over-range one.
QString writeSurveyList(const QTemporaryDir& dir) {
    auto rec = [](float lux, const char* mode, int minute) {
        ListRecord r;
        r.value = lux;
        r.mode = QString::fromLatin1(mode);
        r.time = QStringLiteral("12/07/26 10:%1:00").arg(minute, 2, 10, QLatin1Char('0'));
        return r;
    };
    const QString path = dir.filePath("hall.MemDat");
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(
        writeListFile({rec(300, "General", 1), rec(250, "General", 2), rec(350, "General", 3),
                       rec(200, "General", 4), rec(150, "Rel", 5), rec(kOverRange, "General", 6)}));
    return path;
}

// The demonstration meter's survey: twelve normal readings and a REL.
QString writeDemoSurvey(const QTemporaryDir& dir) {
    const float lux[12] = {412, 455, 498, 430, 388, 520, 530, 470, 298, 360, 401, 442};
    std::vector<ListRecord> recs;
    for (int i = 0; i <= 12; ++i) {
        ListRecord r;
        r.value = i < 12 ? lux[i] : 35;
        r.mode = i < 12 ? QStringLiteral("General") : QStringLiteral("Rel");
        r.time = QStringLiteral("12/07/26 10:%1:00").arg(20 + i);
        recs.push_back(r);
    }
    const QString path = dir.filePath("office.MemDat");
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(writeListFile(recs));
    return path;
}

}  // namespace

TEST(CliSurvey, SummaryJudgesTheSurveyAndSaysSoInItsExitStatus) {
    QTemporaryDir dir;
    const QString list = writeDemoSurvey(dir);
    const QString figures =
        "Eavg 433.7 Lux   Emin 298.0 Lux   Emax 530.0 Lux   U0 0.69   Ud 0.56   "
        "(12 of 13 readings)\n1 reading left out: 1 REL\n";
    // 5204 / 12 = 433.7 < 500: fails, though U0 0.69 meets 0.60.
    CliRun r = cli({"summary", list, "--require", "500,0.6"});
    EXPECT_EQ(r.status, 7) << r.err.toStdString();
    EXPECT_EQ(r.out, figures + "Required \u0112m 500 lx, U0 0.60: FAIL: Eavg 433.7 < 500\n");
    r = cli({"summary", list, "--require", "300,0.4"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, figures + "Required \u0112m 300 lx, U0 0.40: PASS\n");
    r = cli({"summary", "--area", "writing", "--json", list});
    EXPECT_EQ(r.status, 7);
    const QJsonObject o = QJsonDocument::fromJson(r.out.toUtf8()).object();
    EXPECT_EQ(o["requirement"].toObject()["area"].toString(),
              "Writing, typing, reading, data processing");
    EXPECT_EQ(o["verdict"].toObject()["text"].toString(), "FAIL: Eavg 433.7 < 500");
    EXPECT_EQ(cli({"summary", list, "--area", "corridors"}).status, 0);  // 100 lx, 0.40
    EXPECT_EQ(cli({"summary", list}).status, 0);                         // nothing to judge
    const CliRun wrong = cli({"summary", list, "--require", "500"});
    EXPECT_EQ(wrong.status, 2);
    EXPECT_TRUE(wrong.err.contains("--require is EM,U0")) << wrong.err.toStdString();
    EXPECT_EQ(cli({"summary", list, "--area", "ballroom"}).status, 2);
    EXPECT_TRUE(
        cli({"--help"})
            .out.contains(
                "  7                   summary: the survey fails the requirement of --require or\n"
                "                      --area\n"));

    // The report carries the verdict and the room on page 1, and exits 0: its file is written.
    const QString pdf = dir.filePath("office.pdf");
    r = cli({"report", list, "-o", pdf, "--area", "writing", "--room", "8x6", "--height", "0.8",
             "--meter", "SN 4711", "--grid", "4x3"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const QString text = run("pdftotext", {"-layout", pdf, "-"});
    EXPECT_TRUE(text.contains(QRegularExpression("Verdict\\s+FAIL\\s+Eavg 433\\.7 < 500")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QRegularExpression("Room\\s+8\\.00 m x 6\\.00 m")));
    EXPECT_EQ(text.count("below \u0112m"), 10);
    EXPECT_EQ(cli({"report", list, "-o", dir.filePath("x.pdf"), "--room", "8"}).status, 2);
}

TEST(CliSurvey, SummaryPrintsTheFiguresAndWhatWasLeftOut) {
    QTemporaryDir dir;
    const CliRun r = cli({"summary", writeSurveyList(dir)});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    // 1100 / 4 = 275; 200 / 275 = 0.727; 200 / 350 = 0.571.
    EXPECT_EQ(r.out,
              "Eavg 275.0 Lux   Emin 200.0 Lux   Emax 350.0 Lux   U0 0.73   Ud 0.57   "
              "(4 of 6 readings)\n2 readings left out: 1 OL, 1 REL\n");
    const CliRun one = cli({"summary", QStringLiteral(KM905_TEST_DATA "/general-250lux.MemDat")});
    EXPECT_EQ(one.out,
              "Eavg 250.0 Lux   Emin 250.0 Lux   Emax 250.0 Lux   U0 1.00   Ud 1.00   "
              "(1 of 1 readings)\n");
}

TEST(CliSurvey, SummaryAsJsonGivesBothUnits) {
    QTemporaryDir dir;
    const CliRun r = cli({"summary", "--json", writeSurveyList(dir)});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const QJsonObject o = QJsonDocument::fromJson(r.out.toUtf8()).object();
    EXPECT_EQ(o["readings"].toInt(), 6);
    EXPECT_EQ(o["used"].toInt(), 4);
    EXPECT_DOUBLE_EQ(o["Eavg"].toObject()["lux"].toDouble(), 275);
    EXPECT_NEAR(o["Eavg"].toObject()["fc"].toDouble(), 25.558, 0.001);  // 275 x 0.0929368
    EXPECT_EQ(o["min_record"].toInt(), 4);
    EXPECT_EQ(o["left_out"].toObject()["OL"].toInt(), 1);
    EXPECT_EQ(o["left_out"].toObject()["REL"].toInt(), 1);
}

TEST(CliSurvey, ReportWritesThePdfWithoutADisplay) {
    QTemporaryDir dir;
    const QString list = writeSurveyList(dir);
    const QString pdf = dir.filePath("hall.pdf");
    const CliRun r = cli({"report", list, "-o", pdf, "--grid", "3x2 serpentine", "--title",
                          "Hall B", "--site", "Bay 2", "--paper", "letter"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, pdf + "\n");
    EXPECT_EQ(r.err, "");  // not a word from Qt either
    const test::PdfInfo info = test::pdfInfo(pdf);
    EXPECT_EQ(info.errors, "");
    EXPECT_EQ(info.fields["Page size"], "612 x 792 pts (letter)");
    EXPECT_EQ(info.fields["Title"], "Hall B");
    EXPECT_EQ(info.fields["Author"], test::loginFullName());
    EXPECT_EQ(info.fields["Creator"], "km905 2.3.3");
    QFile written(pdf);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(test::misplacedObjects(written.readAll()).join(", "), "");
    const QString text = run("pdftotext", {"-layout", pdf, "-"});
    EXPECT_TRUE(text.contains("Hall B")) << text.toStdString();
    EXPECT_TRUE(text.contains("Bay 2"));
    EXPECT_TRUE(text.contains("2026-12-07"));
    EXPECT_TRUE(text.contains("Grid map: 3 x 2 points, serpentine"));
    // The four normal readings take the first four points; the other two are listed.
    EXPECT_TRUE(text.contains(QRegularExpression(
        "Left out of the figures:\\s+No\\.\\s+5\\s+150\\.00\\s+Lux\\s+\\(REL\\),\\s+"
        "No\\.\\s+6\\s+OL\\s+Lux\\s+\\(OL\\)")));
    EXPECT_TRUE(text.contains("2 points without a reading"));
    EXPECT_TRUE(text.contains(QRegularExpression("Eavg \\(average\\)\\s+275\\.0\\s+25\\.6")));
    EXPECT_TRUE(text.contains(QRegularExpression("Left out\\s+2: 1 OL, 1 REL")));
    const char* rows[6] = {"1\\s+300\\.00\\s+Lux\\s+General\\s+12/07/26 10:01:00",
                           "2\\s+250\\.00",
                           "3\\s+350\\.00",
                           "4\\s+200\\.00",
                           "5\\s+150\\.00\\s+Lux\\s+Rel",
                           "6\\s+OL\\s+Lux\\s+General\\s+12/07/26 10:06:00"};
    for (const char* row : rows)
        EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("\\n\\s*") + row))) << row;
    EXPECT_TRUE(text.contains("Page 1 of 2"));
    EXPECT_TRUE(text.contains("Page 2 of 2"));
}

TEST(CliSurvey, ReportKeepsAFileAlreadyThereAndRefusesWrongInput) {
    QTemporaryDir dir;
    const QString list = writeSurveyList(dir);
    const QString pdf = dir.filePath("old.pdf");
    QFile old(pdf);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();
    CliRun r = cli({"report", list, "-o", pdf});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains("already exists")) << r.err.toStdString();
    {
        // Closed before the next run: Windows replaces no file another program holds open.
        QFile check(pdf);
        ASSERT_TRUE(check.open(QIODevice::ReadOnly));
        EXPECT_EQ(check.readAll(), "old");
    }
    r = cli({"report", list, "-o", pdf, "--force"});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();

    EXPECT_EQ(cli({"report", list, "-o", dir.filePath("x.pdf"), "--grid", "0x3"}).status, 2);
    EXPECT_EQ(cli({"report", list, "-o", dir.filePath("x.pdf"), "--paper", "a3"}).status, 2);
    EXPECT_EQ(cli({"report", list}).status, 2);
    const CliRun graph = cli({"summary", QStringLiteral(KM905_TEST_DATA "/three-lux.AsmDat")});
    EXPECT_EQ(graph.status, 1);
    EXPECT_TRUE(graph.err.contains("memory list"));
    EXPECT_FALSE(QFile::exists(dir.filePath("x.pdf")));
}
