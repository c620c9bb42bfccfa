// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/app/Settings.h"

#include <QDir>
#include <QStandardPaths>

#include "core/app/IniFile.h"

namespace km905 {

namespace {
constexpr int kGains[5] = {4, 40, 400, 4000, 40000};
constexpr int kOffsets[6] = {0, 2, 4, 6, 8, 10};

QString (*g_documentsSource)() = nullptr;

IniFile ini() {
    return IniFile(Settings::iniPath());
}
}  // namespace

void Settings::setDocumentsFolderSource(QString (*source)()) {
    g_documentsSource = source;
}

QString Settings::dataFolder() {
    const QString documents =
        g_documentsSource ? g_documentsSource()
                          : QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString folder = documents + QStringLiteral("/KM905");
    QDir().mkpath(folder);
    return folder;
}

QString Settings::iniPath() {
    return dataFolder() + QStringLiteral("/KM905.ini");
}

int Settings::readComPort() {
    return ini().readInt("COMInfo", "COM num", 1);
}

bool Settings::writeComPort(int port) {
    return ini().writeInt("COMInfo", "COM num", port);
}

int Settings::readGainIndex() {
    return ini().readInt("YGAINInfo", "GAIN num", 1);
}

int Settings::readOffsetIndex() {
    return ini().readInt("YOFFSETInfo", "OFFSET num", 0);
}

bool Settings::writeYScale(int gainIndex, int offsetIndex) {
    const IniFile f = ini();
    const bool a = f.writeInt("YGAINInfo", "GAIN num", gainIndex);
    const bool b = f.writeInt("YOFFSETInfo", "OFFSET num", offsetIndex);
    return a && b;
}

QString settingsNotSavedText() {
    return QStringLiteral(
               "The settings could not be written to %1. The change holds until the program "
               "closes.")
        .arg(QDir::toNativeSeparators(Settings::iniPath()));
}

int gainForIndex(int index, int current) {
    return index >= 0 && index < 5 ? kGains[index] : current;
}

int offsetForIndex(int index, int current) {
    return index >= 0 && index < 6 ? kOffsets[index] : current;
}

}  // namespace km905
