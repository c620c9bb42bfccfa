// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/files/ArchiveIO.h"

#include <cstring>

namespace km905 {

void ArchiveWriter::putInt32(int32_t v) {
    const auto u = static_cast<uint32_t>(v);
    for (int i = 0; i < 4; ++i) putByte(static_cast<uint8_t>(u >> (8 * i)));
}

void ArchiveWriter::putUInt16(uint16_t v) {
    putByte(static_cast<uint8_t>(v));
    putByte(static_cast<uint8_t>(v >> 8));
}

void ArchiveWriter::putFloat(float v) {
    uint32_t u = 0;
    std::memcpy(&u, &v, 4);
    putInt32(static_cast<int32_t>(u));
}

void ArchiveWriter::putString(const QString& s) {
    putNarrow(s.toLatin1());
}

void ArchiveWriter::putNarrow(const QByteArray& s) {
    const auto n = static_cast<uint32_t>(s.size());
    if (n < 255) {
        putByte(static_cast<uint8_t>(n));
    } else if (n < 0xFFFE) {
        putByte(0xFF);
        putUInt16(static_cast<uint16_t>(n));
    } else {
        putByte(0xFF);
        putUInt16(0xFFFF);
        putInt32(static_cast<int32_t>(n));
    }
    m_out.append(s);
}

std::optional<uint8_t> ArchiveReader::byte() {
    if (remaining() < 1) return std::nullopt;
    return static_cast<uint8_t>(m_data[m_pos++]);
}

std::optional<uint16_t> ArchiveReader::uint16() {
    if (remaining() < 2) return std::nullopt;
    const auto* p = reinterpret_cast<const uint8_t*>(m_data.constData() + m_pos);
    m_pos += 2;
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

std::optional<uint32_t> ArchiveReader::uint32() {
    if (remaining() < 4) return std::nullopt;
    const auto* p = reinterpret_cast<const uint8_t*>(m_data.constData() + m_pos);
    m_pos += 4;
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

std::optional<int32_t> ArchiveReader::int32() {
    const auto u = uint32();
    if (!u) return std::nullopt;
    return static_cast<int32_t>(*u);
}

std::optional<float> ArchiveReader::float32() {
    const auto u = uint32();
    if (!u) return std::nullopt;
    float f = 0;
    const uint32_t bits = *u;
    std::memcpy(&f, &bits, 4);
    return f;
}

std::optional<uint32_t> ArchiveReader::length() {
    const auto b = byte();
    if (!b) return std::nullopt;
    if (*b < 0xFF) return *b;
    const auto w = uint16();
    if (!w) return std::nullopt;
    if (*w < 0xFFFF) return *w;
    return uint32();
}

std::optional<QString> ArchiveReader::string() {
    const qsizetype start = m_pos;
    auto fail = [&]() -> std::optional<QString> {
        m_pos = start;
        return std::nullopt;
    };
    int charSize = 1;
    std::optional<uint32_t> n;
    const auto b = byte();
    if (!b) return fail();
    if (*b < 0xFF) {
        n = *b;
    } else {
        const auto w = uint16();
        if (!w) return fail();
        if (*w == 0xFFFE) {
            charSize = 2;  // UTF-16 code units follow; the length comes again
            n = length();
        } else if (*w < 0xFFFF) {
            n = *w;
        } else {
            n = uint32();
        }
    }
    if (!n) return fail();
    // A length from the file is never trusted beyond the bytes that are there.
    const qint64 bytes = static_cast<qint64>(*n) * charSize;
    if (bytes > remaining()) return fail();
    const char* p = m_data.constData() + m_pos;
    m_pos += static_cast<qsizetype>(bytes);
    if (charSize == 1) return QString::fromLatin1(p, static_cast<qsizetype>(bytes));
    QString s(static_cast<qsizetype>(*n), Qt::Uninitialized);
    for (uint32_t i = 0; i < *n; ++i)
        s[i] = QChar(static_cast<char16_t>(static_cast<uint8_t>(p[2 * i]) |
                                           static_cast<uint8_t>(p[2 * i + 1]) << 8));
    return s;
}

}  // namespace km905
