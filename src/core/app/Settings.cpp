// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/app/Settings.h"

#include <QDir>
#include <QStandardPaths>

namespace km905 {

namespace {
constexpr int kGains[5] = {4, 40, 400, 4000, 40000};
constexpr int kOffsets[6] = {0, 2, 4, 6, 8, 10};
}  // namespace

Settings Settings::inDocuments(const QString& documentsFolder) {
    return Settings(documentsFolder + QStringLiteral("/KM905"));
}

Settings Settings::fromEnvironment() {
    return inDocuments(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
}

QString Settings::dataFolder() const {
    QDir().mkpath(m_folder);
    return m_folder;
}

QString Settings::iniPath() const {
    return dataFolder() + QStringLiteral("/KM905.ini");
}

int Settings::readComPort() const {
    return ini().readInt("COMInfo", "COM num", 1);
}

bool Settings::writeComPort(int port) const {
    return ini().writeInt("COMInfo", "COM num", port);
}

int Settings::readGainIndex() const {
    return ini().readInt("YGAINInfo", "GAIN num", 1);
}

int Settings::readOffsetIndex() const {
    return ini().readInt("YOFFSETInfo", "OFFSET num", 0);
}

bool Settings::writeYScale(int gainIndex, int offsetIndex) const {
    const IniFile f = ini();
    const bool a = f.writeInt("YGAINInfo", "GAIN num", gainIndex);
    const bool b = f.writeInt("YOFFSETInfo", "OFFSET num", offsetIndex);
    return a && b;
}

QString Settings::notSavedText() const {
    return QStringLiteral(
               "The settings could not be written to %1. The change holds until the program "
               "closes.")
        .arg(QDir::toNativeSeparators(iniPath()));
}

int gainForIndex(int index, int current) {
    return index >= 0 && index < 5 ? kGains[index] : current;
}

int offsetForIndex(int index, int current) {
    return index >= 0 && index < 6 ? kOffsets[index] : current;
}

}  // namespace km905
