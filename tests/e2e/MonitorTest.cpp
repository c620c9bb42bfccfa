// km905-monitor against km905-sim on a pseudo-terminal, in real time.
#include <gtest/gtest.h>

#include <signal.h>
#include "WaitFor.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
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
        m_monitor.start(KM905_MONITOR_BINARY, {"--port", "1"});
        ASSERT_TRUE(m_monitor.waitForStarted(5000));
        ASSERT_TRUE(waitFor([&] { return out().contains("1234 Lux"); }, 10000))
            << out().toStdString();
    }
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

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
