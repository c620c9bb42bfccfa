// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/app/IniFile.h"

#include <QFile>
#include <QFileInfo>
#include <climits>
#include <optional>

#include "core/files/SafeFile.h"

namespace km905 {

namespace {

std::vector<QByteArray> splitLines(const QByteArray& content) {
    std::vector<QByteArray> lines;
    qsizetype start = 0;
    while (start < content.size()) {
        qsizetype nl = content.indexOf('\n', start);
        if (nl < 0) nl = content.size();
        QByteArray line = content.mid(start, nl - start);
        if (line.endsWith('\r')) line.chop(1);
        lines.push_back(line);
        start = nl + 1;
    }
    return lines;
}

// "[name]" with optional blanks; returns the name.
std::optional<QByteArray> sectionName(const QByteArray& line) {
    const QByteArray t = line.trimmed();
    if (!t.startsWith('[')) return std::nullopt;
    const qsizetype close = t.indexOf(']');
    if (close < 0) return std::nullopt;
    return t.mid(1, close - 1).trimmed();
}

std::optional<QByteArray> keyName(const QByteArray& line) {
    const qsizetype eq = line.indexOf('=');
    if (eq < 0) return std::nullopt;
    return line.left(eq).trimmed();
}

bool sameName(const QByteArray& a, const QByteArray& b,
              Qt::CaseSensitivity cs = Qt::CaseInsensitive) {
    return a.compare(b, cs) == 0;
}

QByteArray valueOf(const QByteArray& line) {
    QByteArray v = line.mid(line.indexOf('=') + 1).trimmed();
    if (v.size() >= 2 &&
        ((v.startsWith('"') && v.endsWith('"')) || (v.startsWith('\'') && v.endsWith('\''))))
        v = v.mid(1, v.size() - 2);
    return v;
}

}  // namespace

std::optional<QByteArray> IniFile::lookup(const QByteArray& content, const QByteArray& section,
                                          const QByteArray& key, Qt::CaseSensitivity keyCase) {
    bool inSection = false;
    for (const QByteArray& line : splitLines(content)) {
        if (auto s = sectionName(line)) {
            inSection = sameName(*s, section);
            continue;
        }
        if (!inSection) continue;
        if (auto k = keyName(line); k && sameName(*k, key, keyCase)) return valueOf(line);
    }
    return std::nullopt;
}

QByteArray IniFile::withValue(const QByteArray& content, const QByteArray& section,
                              const QByteArray& key, const QByteArray& value,
                              Qt::CaseSensitivity keyCase) {
    std::vector<QByteArray> lines = splitLines(content);
    int sectionAt = -1;
    int lastEntry = -1;  // last non-blank line of the section
    bool done = false;
    for (int i = 0; i < static_cast<int>(lines.size()) && !done; ++i) {
        const QByteArray& line = lines[static_cast<size_t>(i)];
        if (auto s = sectionName(line)) {
            if (sectionAt >= 0) break;  // only the first matching section is used
            if (sameName(*s, section)) sectionAt = lastEntry = i;
            continue;
        }
        if (sectionAt < 0) continue;
        if (!line.trimmed().isEmpty()) lastEntry = i;
        if (auto k = keyName(line); k && sameName(*k, key, keyCase)) {
            // The key keeps its own spelling; only the value changes.
            lines[static_cast<size_t>(i)] = line.left(line.indexOf('=')).trimmed() + '=' + value;
            done = true;
        }
    }
    if (!done) {
        if (sectionAt >= 0) {
            lines.insert(lines.begin() + lastEntry + 1, key + '=' + value);
        } else {
            lines.push_back('[' + section + ']');
            lines.push_back(key + '=' + value);
        }
    }
    QByteArray out;
    for (const QByteArray& l : lines) out += l + "\r\n";
    return out;
}

std::optional<int> IniFile::parseProfileInt(const QByteArray& value) {
    qsizetype i = 0;
    while (i < value.size() && (value[i] == ' ' || value[i] == '\t')) ++i;
    bool negative = false;
    if (i < value.size() && (value[i] == '-' || value[i] == '+')) negative = value[i++] == '-';
    long long n = 0;
    qsizetype digits = 0;
    for (; i < value.size() && value[i] >= '0' && value[i] <= '9'; ++i, ++digits)
        if (n < INT_MAX) n = n * 10 + (value[i] - '0');
    if (digits == 0) return std::nullopt;
    n = std::min<long long>(n, INT_MAX);
    return static_cast<int>(negative ? -n : n);
}

IniFile::Load IniFile::load(QByteArray* content) const {
    QFileInfo fi(m_path);
    if (!fi.exists()) return Load::Missing;
    if (!fi.isFile() || fi.size() > kMaxSize) return Load::Failed;
    ReadResult r = readRegularFile(m_path, kMaxSize + 1);
    if (!r.bytes || r.bytes->size() > kMaxSize) return Load::Failed;
    *content = std::move(*r.bytes);
    return Load::Ok;
}

std::optional<QByteArray> IniFile::readString(const QString& section, const QString& key,
                                              Qt::CaseSensitivity keyCase) const {
    QByteArray content;
    if (load(&content) != Load::Ok) return std::nullopt;
    return lookup(content, section.toLocal8Bit(), key.toLocal8Bit(), keyCase);
}

int IniFile::readInt(const QString& section, const QString& key, int defaultValue) const {
    const std::optional<QByteArray> v = readString(section, key);
    if (!v) return defaultValue;
    return parseProfileInt(*v).value_or(defaultValue);
}

bool IniFile::writeString(const QString& section, const QString& key, const QString& value,
                          Qt::CaseSensitivity keyCase) const {
    return writeStrings(section, {{key, value}}, keyCase);
}

bool IniFile::writeStrings(const QString& section,
                           const std::vector<std::pair<QString, QString>>& keyValues,
                           Qt::CaseSensitivity keyCase) const {
    QByteArray content;
    const Load l = load(&content);
    if (l == Load::Failed) return false;  // rewriting what we could not read would lose it
    QFileInfo fi(m_path);
    if (l == Load::Ok && !(fi.permissions() & QFile::WriteOwner))
        return false;  // a read-only file stays as the user made it
    for (const auto& [key, value] : keyValues)
        content = withValue(content, section.toLocal8Bit(), key.toLocal8Bit(), value.toLocal8Bit(),
                            keyCase);
    return bool(writeFilesTogether({{m_path, content}}, m_steps));
}

}  // namespace km905
