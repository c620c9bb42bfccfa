// SPDX-License-Identifier: GPL-3.0-or-later
#include "survey/SurveySettings.h"

#include <QDir>
#include <QFileInfo>

#include "app/IniFile.h"
#include "app/Settings.h"

namespace km905 {

namespace {
const QString kReportSection = QStringLiteral("SurveyReport");

// Paths are told apart by letter case where the file system does.
#ifdef Q_OS_WIN
constexpr Qt::CaseSensitivity kPathCase = Qt::CaseInsensitive;
#else
constexpr Qt::CaseSensitivity kPathCase = Qt::CaseSensitive;
#endif

IniFile ini() {
    return IniFile(Settings::iniPath());
}

std::optional<QString> readText(const QString& section, const QString& key) {
    const std::optional<QByteArray> v = ini().readString(section, key);
    if (!v) return std::nullopt;
    return QString::fromLocal8Bit(*v);
}
}  // namespace

QString surveyGridKey(const QString& listPath) {
    if (listPath.isEmpty()) return {};
    const QByteArray path = QDir::cleanPath(QFileInfo(listPath).absoluteFilePath()).toUtf8();
    QString key;
    for (qsizetype i = 0; i < path.size(); ++i) {
        const auto c = static_cast<uint8_t>(path[i]);
        // Escaped: what would end the key early or read as a section or comment, a blank at
        // either end (the reader trims it), and every byte past ASCII, which the settings
        // file's 8-bit code page might not hold.
        const bool endBlank = c == ' ' && (i == 0 || i == path.size() - 1);
        if (c < 0x20 || c > 0x7E || endBlank || QByteArrayLiteral("%=[];\"").contains(char(c)))
            key += QStringLiteral("%%1").arg(c, 2, 16, QLatin1Char('0')).toUpper();
        else
            key += QLatin1Char(char(c));
    }
    return key;
}

std::optional<GridShape> readSurveyGrid(const QString& listPath) {
    const QString key = surveyGridKey(listPath);
    if (key.isEmpty()) return std::nullopt;
    const std::optional<QByteArray> v = ini().readString(kSurveyGridsSection, key, kPathCase);
    if (!v) return std::nullopt;
    return parseGridShape(QString::fromLocal8Bit(*v));
}

bool writeSurveyGrid(const QString& listPath, const GridShape& shape) {
    const QString key = surveyGridKey(listPath);
    return !key.isEmpty() &&
           ini().writeString(kSurveyGridsSection, key, gridShapeText(shape), kPathCase);
}

std::optional<GridShape> ListGrid::read(const QString& listPath) const {
    return listPath.isEmpty() ? m_unsaved : readSurveyGrid(listPath);
}

bool ListGrid::write(const QString& listPath, const GridShape& shape) {
    if (!listPath.isEmpty()) return writeSurveyGrid(listPath, shape);
    m_unsaved = shape;
    return true;
}

void ListGrid::listSaved(const QString& fromPath, const QString& toPath) {
    if (surveyGridKey(fromPath) != surveyGridKey(toPath))
        if (const std::optional<GridShape> shape = read(fromPath)) writeSurveyGrid(toPath, *shape);
    if (fromPath.isEmpty()) m_unsaved.reset();
}

QString settingsValueText(const QString& text) {
    QString v = text;
    v.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    v.replace(QStringLiteral("\r\n"), QStringLiteral("\\n"));
    v.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    v.replace(QLatin1Char('\r'), QStringLiteral("\\n"));
    // The quotes keep blanks at either end; the reader takes off one pair.
    return QLatin1Char('"') + v + QLatin1Char('"');
}

QString textFromSettingsValue(const QString& value) {
    QString out;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] == QLatin1Char('\\') && i + 1 < value.size()) {
            const QChar next = value[++i];
            out += next == QLatin1Char('n') ? QChar(QLatin1Char('\n')) : next;
        } else {
            out += value[i];
        }
    }
    return out;
}

ReportDetails readReportDetails() {
    auto text = [](const char* key) {
        return textFromSettingsValue(
            readText(kReportSection, QLatin1String(key)).value_or(QString()));
    };
    return {text("Title"), text("Site"), text("Notes")};
}

bool writeReportDetails(const ReportDetails& d) {
    const IniFile f = ini();
    const bool a =
        f.writeString(kReportSection, QStringLiteral("Title"), settingsValueText(d.title));
    const bool b = f.writeString(kReportSection, QStringLiteral("Site"), settingsValueText(d.site));
    const bool c =
        f.writeString(kReportSection, QStringLiteral("Notes"), settingsValueText(d.notes));
    return a && b && c;
}

}  // namespace km905
