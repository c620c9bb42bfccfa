// SPDX-License-Identifier: GPL-3.0-or-later
// The programs' command lines, run as a person runs them: --help and --version with no display
// to reach, wrong options refused with status 2, and km905 --port against km905-sim.
#include <gtest/gtest.h>

#include "WaitFor.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

using km905::test::waitFor;

namespace {

struct Outcome {
    int status = -1;
    QString out, err;
};

// No display of any kind and no platform chosen: what a console or a build machine gives.
QProcessEnvironment withoutDisplay() {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QString::fromLatin1(name));
    return env;
}

Outcome run(const QString& program, const QStringList& args) {
    QProcess p;
    p.setProcessEnvironment(withoutDisplay());
    p.start(program, args);
    Outcome r;
    if (!p.waitForFinished(20000) || p.exitStatus() != QProcess::NormalExit) return r;
    r.status = p.exitCode();
    r.out = QString::fromLocal8Bit(p.readAllStandardOutput());
    r.err = QString::fromLocal8Bit(p.readAllStandardError());
    return r;
}

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

TEST(ProgramOptions, Km905HelpNeedsNoDisplay) {
    const Outcome r = run(KM905_BINARY, {"--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(
        r.out.startsWith("Usage: km905 [options] [FILE...]\nThe desktop companion of the KM905"))
        << r.out.toStdString();
    EXPECT_TRUE(r.out.contains("  FILE  ")) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains("  --port <N>")) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains("  -v, --version")) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains("KM905_DEV_DIR")) << r.out.toStdString();
    EXPECT_FALSE(r.out.contains("platform")) << r.out.toStdString();  // Qt's own stay hidden
    EXPECT_EQ(r.err, "");
}

TEST(ProgramOptions, Km905VersionNeedsNoDisplay) {
    const Outcome r = run(KM905_BINARY, {"--version"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "km905 2.3.3\n");
    EXPECT_EQ(r.err, "");
}

TEST(ProgramOptions, Km905RefusesAnUnknownOption) {
    const Outcome r = run(KM905_BINARY, {"--frobnicate"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err,
              "km905: Unknown option 'frobnicate'.\n"
              "Try 'km905 --help' for more information.\n");
}

TEST(ProgramOptions, Km905RefusesAPortOutsideOneTo255) {
    for (const char* port : {"0", "256", "COM3", ""}) {
        const Outcome r = run(KM905_BINARY, {"--port", port});
        EXPECT_EQ(r.status, 2) << port;
        EXPECT_EQ(r.err,
                  "km905: --port takes a number from 1 to 255.\n"
                  "Try 'km905 --help' for more information.\n")
            << port;
    }
    const Outcome missing = run(KM905_BINARY, {"--port"});
    EXPECT_EQ(missing.status, 2);
    EXPECT_EQ(missing.err,
              "km905: Missing value after '--port'.\n"
              "Try 'km905 --help' for more information.\n");
    // A file argument is looked at in the window, which says what is wrong with it.
    const Outcome both = run(KM905_BINARY, {"--port", "0", "notes.txt"});
    EXPECT_EQ(both.status, 2);
    EXPECT_EQ(both.err,
              "km905: --port takes a number from 1 to 255.\n"
              "Try 'km905 --help' for more information.\n");
}

TEST(ProgramOptions, SimulatorHelpListsEveryOptionAndTheScenarioFormat) {
    const Outcome r = run(KM905_SIM_BINARY, {"--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(r.out.startsWith("Usage: km905-sim [options]\nA simulated KM905 light meter"))
        << r.out.toStdString();
    for (const char* option : {"  --port <N>", "  --link <PATH>", "  --scenario <FILE>",
                               "  --unpaced", "  --duration <SECS>", "  --quiet", "  -h, --help",
                               "  -v, --version", "Scenario file: one setting a line"})
        EXPECT_TRUE(r.out.contains(option)) << option;
    EXPECT_EQ(run(KM905_SIM_BINARY, {"-h"}).out, r.out);
}

TEST(ProgramOptions, SimulatorVersionAndWrongOptions) {
    const Outcome v = run(KM905_SIM_BINARY, {"--version"});
    EXPECT_EQ(v.status, 0);
    EXPECT_EQ(v.out, "km905-sim 2.3.3\n");
    const Outcome unknown = run(KM905_SIM_BINARY, {"--frobnicate"});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_EQ(unknown.out, "");
    EXPECT_EQ(unknown.err,
              "km905-sim: Unknown option 'frobnicate'.\n"
              "Try 'km905-sim --help' for more information.\n");
    const Outcome port = run(KM905_SIM_BINARY, {"--port", "300"});
    EXPECT_EQ(port.status, 2);
    EXPECT_EQ(port.err,
              "km905-sim: --port must be 1..255.\n"
              "Try 'km905-sim --help' for more information.\n");
    const Outcome stray = run(KM905_SIM_BINARY, {"notes.txt"});
    EXPECT_EQ(stray.status, 2);
    EXPECT_EQ(stray.err,
              "km905-sim: unexpected argument 'notes.txt'.\n"
              "Try 'km905-sim --help' for more information.\n");
}

// The program on the port given, polling the simulated meter there; closed by a terminate
// signal, it ends the meter's link and leaves the settings file's port as it was.
TEST(ProgramOptions, Km905PortOptionOpensThatPortForThisRunOnly) {
    QTemporaryDir dev, home;
    const QString ini = home.filePath("Documents/KM905/KM905.ini");
    ASSERT_TRUE(QDir().mkpath(home.filePath("Documents/KM905")));
    QFile f(ini);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[COMInfo]\r\nCOM num=1\r\n");
    f.close();
    QProcessEnvironment env = withoutDisplay();
    env.insert("KM905_DEV_DIR", dev.path());
    env.insert("HOME", home.path());
    env.remove("XDG_CONFIG_HOME");
    env.insert("QT_QPA_PLATFORM", "offscreen");

    QProcess sim;
    sim.setProcessEnvironment(env);
    sim.start(KM905_SIM_BINARY, {"--port", "2"});
    ASSERT_TRUE(sim.waitForStarted(5000));
    ASSERT_TRUE(waitFor([&] { return sim.canReadLine(); }, 5000));
    EXPECT_EQ(QString::fromLocal8Bit(sim.readLine()), dev.path() + "/ttyUSB1\n");
    QString simLog;
    auto logged = [&](const QString& what) {
        simLog += QString::fromLocal8Bit(sim.readAllStandardOutput());
        return simLog.contains(what);
    };

    QProcess program;
    program.setProcessEnvironment(env);
    program.start(KM905_BINARY, {"--port", "2"});
    ASSERT_TRUE(program.waitForStarted(5000));
    // The second poll follows an answer handled by the event loop, so the program's signal
    // handling is in place by then.
    EXPECT_TRUE(waitFor([&] { return logged(" poll\n") && simLog.count(" poll\n") >= 2; }, 20000))
        << simLog.toStdString();
    program.terminate();
    EXPECT_TRUE(waitFor([&] { return program.state() == QProcess::NotRunning; }, 20000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
    EXPECT_TRUE(waitFor([&] { return logged(" key end of link\n"); }, 5000))
        << simLog.toStdString();
    EXPECT_EQ(fileBytes(ini), "[COMInfo]\r\nCOM num=1\r\n");
    sim.terminate();
    sim.waitForFinished(3000);
}

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
