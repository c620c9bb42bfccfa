// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>

namespace km905 {

// Little-endian writing in the archive's layout.
class ArchiveWriter {
  public:
    void putByte(uint8_t b) { m_out.append(static_cast<char>(b)); }
    void putInt32(int32_t v);
    void putUInt16(uint16_t v);
    void putFloat(float v);
    // The length-prefixed string: one byte below 255, FF + 2 bytes up to 65533, else
    // FF FFFF + 4 bytes; the characters follow in the narrow code page, no terminator.
    void putString(const QString& s);
    void putNarrow(const QByteArray& s);
    const QByteArray& bytes() const { return m_out; }

  private:
    QByteArray m_out;
};

// Reads what ArchiveWriter writes; every read fails cleanly at the end of the data.
class ArchiveReader {
  public:
    explicit ArchiveReader(const QByteArray& data) : m_data(data) {}
    std::optional<uint8_t> byte();
    std::optional<int32_t> int32();
    std::optional<uint16_t> uint16();
    std::optional<uint32_t> uint32();
    std::optional<float> float32();
    // Narrow strings and the UTF-16 form (prefix FF FE FF), both given back as text.
    std::optional<QString> string();
    qsizetype remaining() const { return m_data.size() - m_pos; }
    qsizetype position() const { return m_pos; }

  private:
    std::optional<uint32_t> length();
    const QByteArray& m_data;
    qsizetype m_pos = 0;
};

inline const QString kMagic = QStringLiteral("KM905");

}  // namespace km905
