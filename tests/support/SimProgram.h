// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// km905-sim on a pseudo-terminal, with a scratch KM905_DEV_DIR and a home folder, for the tests
// that run the real program against it. Needs KM905_SIM_BINARY.
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "ScratchFolders.h"
#include "WaitFor.h"

namespace km905::test {

class SimProgram {
  public:
    // `scenario` is a scenario file's text; without one the demonstration meter answers
    // quietly. With one the simulator logs each poll it answers on its output. `more` are
    // further options, such as --unpaced.
    explicit SimProgram(const QByteArray& scenario = {}, const QStringList& more = {}) {
        qputenv("KM905_DEV_DIR", m_dev.path().toLocal8Bit());
        QStringList args{QStringLiteral("--quiet")};
        if (!scenario.isEmpty()) {
            QFile file(m_dev.filePath(QStringLiteral("scenario.txt")));
            if (!file.open(QIODevice::WriteOnly) || file.write(scenario) != scenario.size()) return;
            file.close();
            args = {QStringLiteral("--scenario"), file.fileName()};
        }
        m_sim.start(QStringLiteral(KM905_SIM_BINARY), args + more);
        // Its first line names the linked port: the meter is there from then on.
        m_ready = m_sim.waitForStarted(5000) && waitFor([&] { return m_sim.canReadLine(); }, 5000);
        if (m_ready) m_sim.readLine();
    }
    ~SimProgram() {
        m_sim.terminate();
        m_sim.waitForFinished(3000);
    }
    SimProgram(const SimProgram&) = delete;
    SimProgram& operator=(const SimProgram&) = delete;

    bool ready() const { return m_ready; }
    QProcess& process() { return m_sim; }
    // A path in the scratch home folder.
    QString home(const QString& name) const { return m_home.file(name); }
    // The data folder in the home's Documents, for the program run in the test...
    const Settings& settings() const { return m_home.settings(); }
    // ...and the environment of the programs it starts, which find it there.
    QProcessEnvironment environment() const { return m_home.environment(); }

  private:
    QTemporaryDir m_dev;
    ScratchHome m_home;
    QProcess m_sim;
    bool m_ready = false;
};

}  // namespace km905::test
