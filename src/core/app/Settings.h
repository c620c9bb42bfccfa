// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace km905 {

// The program's data folder and the settings kept in it between runs.
class Settings {
  public:
    // The documents folder followed by "KM905", created when missing.
    static QString dataFolder();
    static QString iniPath();
    // Where the documents folder comes from: the system's unless tests point it elsewhere.
    static void setDocumentsFolderSource(QString (*source)());

    static int readComPort();  // "COM num" of [COMInfo], default 1
    static bool writeComPort(int port);
    static int readGainIndex();    // "GAIN num" of [YGAINInfo], default 1
    static int readOffsetIndex();  // "OFFSET num" of [YOFFSETInfo], default 0
    static bool writeYScale(int gainIndex, int offsetIndex);
};

// Told when a setting could not be kept; the change holds for this run only.
QString settingsNotSavedText();

// The Y scale the indexes stand for; an index outside the table leaves the value as it was.
int gainForIndex(int index, int current);
int offsetForIndex(int index, int current);

}  // namespace km905
