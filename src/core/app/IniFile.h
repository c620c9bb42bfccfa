// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <utility>
#include <vector>

#include "core/files/SafeFile.h"

namespace km905 {

// An INI file read and written the way the Windows profile functions do: sections and keys
// match without regard to case (keys may be asked to match exactly), a write changes one
// line (or adds the key or section) and keeps every other byte of the file, and the file is
// written with CRLF line endings.
class IniFile {
  public:
    // Files larger than this are neither parsed nor rewritten, so nothing in them is lost.
    static constexpr qint64 kMaxSize = 16 * 1024 * 1024;

    explicit IniFile(QString path, FileSteps steps = FileSteps::real())
        : m_path(std::move(path)), m_steps(std::move(steps)) {}

    // The integer after key=, as GetPrivateProfileInt reads it: an optional sign and the
    // leading digits; no digits, or no key, gives the default.
    int readInt(const QString& section, const QString& key, int defaultValue) const;
    std::optional<QByteArray> readString(const QString& section, const QString& key,
                                         Qt::CaseSensitivity keyCase = Qt::CaseInsensitive) const;

    // Returns false when the file could not be read whole or written; it is then untouched.
    bool writeString(const QString& section, const QString& key, const QString& value,
                     Qt::CaseSensitivity keyCase = Qt::CaseInsensitive) const;
    // Several keys of one section in one write: all of them or, on failure, none.
    bool writeStrings(const QString& section,
                      const std::vector<std::pair<QString, QString>>& keyValues,
                      Qt::CaseSensitivity keyCase = Qt::CaseInsensitive) const;
    bool writeInt(const QString& section, const QString& key, int value) const {
        return writeString(section, key, QString::number(value));
    }

    // Pure forms over the file's bytes, for tests.
    static std::optional<QByteArray> lookup(const QByteArray& content, const QByteArray& section,
                                            const QByteArray& key,
                                            Qt::CaseSensitivity keyCase = Qt::CaseInsensitive);
    static QByteArray withValue(const QByteArray& content, const QByteArray& section,
                                const QByteArray& key, const QByteArray& value,
                                Qt::CaseSensitivity keyCase = Qt::CaseInsensitive);
    static std::optional<int> parseProfileInt(const QByteArray& value);

  private:
    enum class Load { Ok, Missing, Failed };
    Load load(QByteArray* content) const;
    QString m_path;
    FileSteps m_steps;
};

}  // namespace km905
