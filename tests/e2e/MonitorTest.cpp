// SPDX-License-Identifier: GPL-3.0-or-later
// km905-cli monitor against km905-sim on a pseudo-terminal, in real time.
#include <gtest/gtest.h>

#include <signal.h>
#include "WaitFor.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

using km905::test::waitFor;

namespace {

// The simulated meter at port 1 reading a steady 1234 lux, and the monitor following it.
class Monitor : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(m_dev.isValid() && m_home.isValid());
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("KM905_DEV_DIR", m_dev.path());
        env.insert("HOME", m_home.path());
        QFile scenario(m_dev.filePath("steady.txt"));
        ASSERT_TRUE(scenario.open(QIODevice::WriteOnly));
        scenario.write("level const 1234\nrange 2\n");
        scenario.close();
        m_sim.setProcessEnvironment(env);
        m_sim.start(KM905_SIM_BINARY, {"--scenario", scenario.fileName()});
        ASSERT_TRUE(m_sim.waitForStarted(5000));
        ASSERT_TRUE(waitFor([&] { return m_sim.canReadLine(); }, 5000));
        m_sim.readLine();  // where the meter is

        m_monitor.setProcessEnvironment(env);
        m_monitor.start(KM905_CLI_BINARY, QStringList{"monitor", "--port", "1"} + extraArguments());
        ASSERT_TRUE(m_monitor.waitForStarted(5000));
        ASSERT_TRUE(waitFor([&] { return following(); }, 10000)) << out().toStdString();
    }
    virtual QStringList extraArguments() { return {}; }
    virtual bool following() { return out().contains("1234 Lux"); }
    void TearDown() override {
        if (m_monitor.state() != QProcess::NotRunning) {
            m_monitor.kill();
            m_monitor.waitForFinished(3000);
        }
        m_sim.terminate();
        m_sim.waitForFinished(3000);
    }
    QString out() {
        m_out += QString::fromLocal8Bit(m_monitor.readAllStandardOutput());
        return m_out;
    }
    QString simLog() {
        m_simLog += QString::fromLocal8Bit(m_sim.readAllStandardOutput());
        return m_simLog;
    }
    // The monitor is asked to stop: it ends the meter's link and exits 0.
    void expectsAnOrderlyEnd() {
        EXPECT_TRUE(waitFor([&] { return m_monitor.state() == QProcess::NotRunning; }, 5000));
        EXPECT_EQ(m_monitor.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(m_monitor.exitCode(), 0) << m_monitor.readAllStandardError().toStdString();
        EXPECT_TRUE(waitFor([&] { return simLog().contains("key end of link"); }, 5000))
            << simLog().toStdString();
        EXPECT_FALSE(QFile::exists(m_home.filePath("Documents/KM905/KM905.ini")));
    }

    QTemporaryDir m_dev, m_home;
    QProcess m_sim, m_monitor;
    QString m_out, m_simLog;
};

}  // namespace

TEST_F(Monitor, CtrlCEndsTheLinkAndExitsZero) {
    EXPECT_FALSE(simLog().contains("end of link"));
    ASSERT_EQ(::kill(static_cast<pid_t>(m_monitor.processId()), SIGINT), 0);
    expectsAnOrderlyEnd();
}

TEST_F(Monitor, TerminateEndsTheLinkAndExitsZero) {
    m_monitor.terminate();  // SIGTERM
    expectsAnOrderlyEnd();
}

namespace {
// One row per live frame, in comma-separated form.
class MonitorCsv : public Monitor {
  protected:
    QStringList extraArguments() override { return {"--csv"}; }
    bool following() override { return out().count('\n') >= 4; }  // the header and three rows
};

// Plain fields (no quotes needed in what the monitor writes), one list per line.
std::vector<QStringList> csvRows(const QString& text) {
    std::vector<QStringList> rows;
    for (const QString& line : text.split('\n', Qt::SkipEmptyParts))
        rows.push_back(line.split(','));
    return rows;
}
}  // namespace

TEST_F(MonitorCsv, EachLiveFrameIsARowWithItsTime) {
    ASSERT_EQ(::kill(static_cast<pid_t>(m_monitor.processId()), SIGINT), 0);
    expectsAnOrderlyEnd();
    const std::vector<QStringList> rows = csvRows(out());
    ASSERT_GE(rows.size(), 4u);
    EXPECT_EQ(rows[0], QStringList({"time", "value", "unit", "range", "flags"}));
    const QRegularExpression iso(R"(^\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\.\d{3}(Z|[+-]\d\d:\d\d)$)");
    QDateTime previous;
    for (size_t i = 1; i < rows.size(); ++i) {
        ASSERT_EQ(rows[i].size(), 5) << rows[i].join(',').toStdString();
        EXPECT_TRUE(iso.match(rows[i][0]).hasMatch()) << rows[i][0].toStdString();
        EXPECT_EQ(rows[i].mid(1), QStringList({"1234", "Lux", "4k", ""}));
        const QDateTime when = QDateTime::fromString(rows[i][0], Qt::ISODateWithMs);
        EXPECT_TRUE(when.isValid());
        if (previous.isValid()) {
            EXPECT_GT(when, previous);  // a frame each, not a copy
        }
        previous = when;
    }
}

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
