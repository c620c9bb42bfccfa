// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <utility>

#include "core/app/IniFile.h"

namespace km905 {

// The program's data folder and the settings kept in it between runs. The programs take the
// folder their environment gives; the session and every window are handed this object, so
// that tests give a folder of their own.
class Settings {
  public:
    // The settings file, the journal and the files proposed for saving are kept in dataFolder.
    explicit Settings(QString dataFolder) : m_folder(std::move(dataFolder)) {}
    // The documents folder followed by "KM905".
    static Settings inDocuments(const QString& documentsFolder);
    // The system's documents folder: the programs' settings.
    static Settings fromEnvironment();

    QString dataFolder() const;  // created when missing
    QString iniPath() const;
    IniFile ini() const { return IniFile(iniPath()); }

    int readComPort() const;  // "COM num" of [COMInfo], default 1
    bool writeComPort(int port) const;
    int readGainIndex() const;    // "GAIN num" of [YGAINInfo], default 1
    int readOffsetIndex() const;  // "OFFSET num" of [YOFFSETInfo], default 0
    bool writeYScale(int gainIndex, int offsetIndex) const;

    // Told when a setting could not be kept; the change holds for this run only.
    QString notSavedText() const;

  private:
    QString m_folder;
};

// The Y scale the indexes stand for; an index outside the table leaves the value as it was.
int gainForIndex(int index, int current);
int offsetForIndex(int index, int current);

}  // namespace km905
