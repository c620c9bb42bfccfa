#include "survey/SurveySettings.h"

#include <QFileInfo>

#include "app/IniFile.h"
#include "app/Settings.h"

namespace km905 {

namespace {
const QString kReportSection = QStringLiteral("SurveyReport");

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
    if (listPath.isEmpty()) return kUnsavedListKey;
    // Only what would end the key early or read as a section or comment is escaped.
    QString key;
    for (const QChar c : QFileInfo(listPath).fileName()) {
        if (QStringLiteral("%=[];\"\r\n").contains(c))
            key += QStringLiteral("%%1").arg(c.unicode(), 2, 16, QLatin1Char('0')).toUpper();
        else
            key += c;
    }
    return key;
}

std::optional<GridShape> readSurveyGrid(const QString& listPath) {
    const std::optional<QString> v = readText(kSurveyGridsSection, surveyGridKey(listPath));
    if (!v) return std::nullopt;
    return parseGridShape(*v);
}

bool writeSurveyGrid(const QString& listPath, const GridShape& shape) {
    return ini().writeString(kSurveyGridsSection, surveyGridKey(listPath), gridShapeText(shape));
}

void carrySurveyGrid(const QString& fromPath, const QString& toPath) {
    if (surveyGridKey(fromPath) == surveyGridKey(toPath)) return;
    if (const std::optional<GridShape> shape = readSurveyGrid(fromPath))
        writeSurveyGrid(toPath, *shape);
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
