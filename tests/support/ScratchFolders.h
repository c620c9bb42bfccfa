// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Scratch folders, removed with the test: a data folder for the code under test, and a home
// folder for the programs a test starts.
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include "core/app/Settings.h"

namespace km905::test {

// A data folder of its own and the settings kept in it, for a session, a window or a command.
class ScratchData {
  public:
    const Settings& settings() const { return m_settings; }
    QString folder() const { return m_settings.dataFolder(); }
    QString file(const QString& name) const { return folder() + QLatin1Char('/') + name; }

  private:
    QTemporaryDir m_dir;
    Settings m_settings{m_dir.path()};
};

// A home folder for programs started as processes, which find their data folder in its
// Documents; settings() is that folder, for the parts of the program run in the test.
class ScratchHome {
  public:
    QString path() const { return m_dir.path(); }
    QString file(const QString& name) const { return m_dir.filePath(name); }
    // The system's environment with HOME here.
    QProcessEnvironment environment() const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), path());
        return env;
    }
    const Settings& settings() const { return m_settings; }

  private:
    QTemporaryDir m_dir;
    Settings m_settings = Settings::inDocuments(m_dir.path() + QStringLiteral("/Documents"));
};

// HOME pointed elsewhere for as long as this lives: only for what Qt itself looks for there.
class HomeVariable {
  public:
    explicit HomeVariable(const QString& path) : m_was(qgetenv("HOME")) {
        qputenv("HOME", path.toLocal8Bit());
    }
    ~HomeVariable() { qputenv("HOME", m_was); }
    HomeVariable(const HomeVariable&) = delete;
    HomeVariable& operator=(const HomeVariable&) = delete;

  private:
    QByteArray m_was;
};

}  // namespace km905::test
