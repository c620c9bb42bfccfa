// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/survey/SurveySettings.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <algorithm>

#include "core/app/IniFile.h"
#include "core/app/Settings.h"

namespace km905 {

namespace {
const QString kReportSection = QStringLiteral("SurveyReport");
const QString kAreasSection = QStringLiteral("SurveyAreas");

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

std::optional<SurveyRequirement> ListGrid::requirement(const QString& listPath) const {
    return listPath.isEmpty() ? m_unsavedRequirement : readListRequirement(listPath);
}

bool ListGrid::setRequirement(const QString& listPath, const std::optional<SurveyRequirement>& r) {
    if (!listPath.isEmpty()) return writeListRequirement(listPath, r);
    m_unsavedRequirement = r;
    return true;
}

void ListGrid::listSaved(const QString& fromPath, const QString& toPath) {
    if (surveyGridKey(fromPath) != surveyGridKey(toPath)) {
        if (const std::optional<GridShape> shape = read(fromPath)) writeSurveyGrid(toPath, *shape);
        if (const std::optional<SurveyRequirement> r = requirement(fromPath))
            writeListRequirement(toPath, r);
    }
    if (fromPath.isEmpty()) {
        m_unsaved.reset();
        m_unsavedRequirement.reset();
    }
}

QString requirementSettingText(const SurveyRequirement& r) {
    QString t = emText(r) + QLatin1Char(' ') + u0Text(r);
    if (!r.area.isEmpty()) t += QLatin1Char(' ') + r.area;
    return t;
}

std::optional<SurveyRequirement> parseRequirementSetting(const QString& text) {
    const QStringList words = text.trimmed().split(QLatin1Char(' '));
    if (words.size() < 2) return std::nullopt;
    std::optional<SurveyRequirement> r = parseRequirement(words[0] + QLatin1Char(',') + words[1]);
    if (!r) return std::nullopt;
    r->area = words.mid(2).join(QLatin1Char(' ')).trimmed();
    return r;
}

std::optional<SurveyRequirement> readListRequirement(const QString& listPath) {
    const QString key = surveyGridKey(listPath);
    if (key.isEmpty()) return std::nullopt;
    const std::optional<QByteArray> v =
        ini().readString(kSurveyRequirementsSection, key, kPathCase);
    if (!v) return std::nullopt;
    return parseRequirementSetting(QString::fromLocal8Bit(*v));
}

bool writeListRequirement(const QString& listPath, const std::optional<SurveyRequirement>& r) {
    const QString key = surveyGridKey(listPath);
    return !key.isEmpty() &&
           ini().writeString(kSurveyRequirementsSection, key,
                             r ? requirementSettingText(*r) : QString(), kPathCase);
}

std::vector<SurveyRequirement> readOwnAreas() {
    std::vector<SurveyRequirement> areas;
    const int count = std::clamp(ini().readInt(kAreasSection, QStringLiteral("Count"), 0), 0, 999);
    for (int i = 1; i <= count; ++i)
        if (const std::optional<QString> v =
                readText(kAreasSection, QStringLiteral("Area%1").arg(i)))
            if (const std::optional<SurveyRequirement> r = parseRequirementSetting(*v);
                r && !r->area.isEmpty())
                areas.push_back(*r);
    return areas;
}

bool writeOwnAreas(const std::vector<SurveyRequirement>& areas) {
    const IniFile f = ini();
    const int was = std::max(f.readInt(kAreasSection, QStringLiteral("Count"), 0), 0);
    std::vector<std::pair<QString, QString>> keys{
        {QStringLiteral("Count"), QString::number(areas.size())}};
    for (size_t i = 0; i < areas.size(); ++i)
        keys.emplace_back(QStringLiteral("Area%1").arg(i + 1), requirementSettingText(areas[i]));
    // A removed area leaves no name behind.
    for (int i = static_cast<int>(areas.size()) + 1; i <= std::min(was, 999); ++i)
        keys.emplace_back(QStringLiteral("Area%1").arg(i), QString());
    return f.writeStrings(kAreasSection, keys);
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

namespace {
double metres(const QString& text) {
    bool ok = false;
    const double v = QLocale::c().toDouble(text.trimmed(), &ok);
    return ok && v > 0 && v < 1e5 ? v : 0;
}

QString metresText(double v) {
    return v > 0 ? QString::number(v) : QString();
}
}  // namespace

ReportDetails readReportDetails() {
    auto text = [](const char* key) {
        return textFromSettingsValue(
            readText(kReportSection, QLatin1String(key)).value_or(QString()));
    };
    ReportDetails d{text("Title"), text("Site"), text("Notes")};
    d.roomLength = metres(text("Room length"));
    d.roomWidth = metres(text("Room width"));
    d.planeHeight = metres(text("Working plane"));
    d.meterId = text("Meter");
    return d;
}

bool writeReportDetails(const ReportDetails& d) {
    return ini().writeStrings(kReportSection,
                              {{QStringLiteral("Title"), settingsValueText(d.title)},
                               {QStringLiteral("Site"), settingsValueText(d.site)},
                               {QStringLiteral("Notes"), settingsValueText(d.notes)},
                               {QStringLiteral("Room length"), metresText(d.roomLength)},
                               {QStringLiteral("Room width"), metresText(d.roomWidth)},
                               {QStringLiteral("Working plane"), metresText(d.planeHeight)},
                               {QStringLiteral("Meter"), settingsValueText(d.meterId)}});
}

}  // namespace km905
