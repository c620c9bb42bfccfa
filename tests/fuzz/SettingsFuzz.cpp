// SPDX-License-Identifier: GPL-3.0-or-later
// The settings file reader and writer: CONTENT \0 SECTION \0 KEY \0 VALUE (split at the last
// three NULs, so the content may hold NULs itself).
#include <climits>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "core/app/IniFile.h"

using namespace km905;

namespace {

// Lines as the file holds them: split at LF, one CR before it dropped; a final LF ends the
// last line rather than starting an empty one.
std::vector<QByteArray> lines(const QByteArray& text) {
    std::vector<QByteArray> out;
    for (QByteArray l : text.split('\n')) {
        if (l.endsWith('\r')) l.chop(1);
        out.push_back(l);
    }
    if (text.isEmpty() || text.endsWith('\n')) out.pop_back();
    return out;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool untrimmed(const QByteArray& s) {
    return !s.isEmpty() && (isBlank(s.front()) || isBlank(s.back()));
}

// A section or key name the writer can put on a line and find again.
bool goodName(const QByteArray& s) {
    if (s.isEmpty() || untrimmed(s)) return false;
    for (char c : s)
        if (c == '\n' || c == '\r' || c == '=' || c == '[' || c == ']') return false;
    return true;
}

// A value reads back as written unless blanks around it are trimmed, a line break ends it
// early, or quotes around it are taken off.
bool goodValue(const QByteArray& v) {
    if (untrimmed(v) || v.contains('\n')) return false;
    const bool quoted =
        v.size() >= 2 && v.front() == v.back() && (v.front() == '"' || v.front() == '\'');
    return !quoted;
}

bool same(const QByteArray& a, const QByteArray& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

void check(bool ok) {
    if (!ok) __builtin_trap();
}

// GetPrivateProfileInt's reading, worked out on its own: blanks, a sign, the digits.
void checkProfileInt(const QByteArray& v) {
    const std::optional<int> got = IniFile::parseProfileInt(v);
    qsizetype i = 0;
    while (i < v.size() && (v[i] == ' ' || v[i] == '\t')) ++i;
    const bool negative = i < v.size() && v[i] == '-';
    if (i < v.size() && (v[i] == '-' || v[i] == '+')) ++i;
    long long n = 0;
    bool big = false;
    const qsizetype first = i;
    for (; i < v.size() && v[i] >= '0' && v[i] <= '9'; ++i) {
        n = n * 10 + (v[i] - '0');
        if (n > INT_MAX) {
            big = true;
            n = 0;
        }
    }
    if (i == first) return check(!got);
    check(got.has_value());
    if (big) return check(negative ? *got < 0 : *got > 0);
    check(*got == (negative ? -n : n));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray in(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const qsizetype v = in.lastIndexOf('\0');
    const qsizetype k = v > 0 ? in.lastIndexOf('\0', v - 1) : -1;
    const qsizetype s = k > 0 ? in.lastIndexOf('\0', k - 1) : -1;
    if (s < 0) return 0;
    const QByteArray content = in.left(s);
    const QByteArray section = in.mid(s + 1, k - s - 1);
    const QByteArray key = in.mid(k + 1, v - k - 1);
    const QByteArray value = in.mid(v + 1);

    if (const auto old = IniFile::lookup(content, section, key)) checkProfileInt(*old);
    checkProfileInt(value);
    const QByteArray out = IniFile::withValue(content, section, key, value);
    // Every line is written with CRLF.
    check(out.isEmpty() || out.endsWith("\r\n"));
    if (!goodName(section) || !goodName(key) || !goodValue(value)) return 0;

    const std::optional<QByteArray> back = IniFile::lookup(out, section, key);
    check(back && *back == value);

    // Every other line is kept: the key's line is changed, or one line is added inside the
    // section, or the section and the key are added at the end.
    const std::vector<QByteArray> before = lines(content);
    const std::vector<QByteArray> after = lines(out);
    const QByteArray entry = key + '=' + value;
    size_t differ = 0;
    if (after.size() == before.size()) {
        for (size_t i = 0; i < before.size(); ++i) differ += before[i] != after[i];
        check(differ <= 1);
    } else if (after.size() == before.size() + 1) {
        size_t i = 0;
        while (i < before.size() && before[i] == after[i]) ++i;
        check(after[i] == entry);
        for (; i < before.size(); ++i) check(before[i] == after[i + 1]);
    } else {
        check(after.size() == before.size() + 2);
        for (size_t i = 0; i < before.size(); ++i) check(before[i] == after[i]);
        check(after[before.size()] == '[' + section + ']' && after.back() == entry);
    }

    // Every other key, in this section or any other, reads the same. The names to try come
    // from the lines that look like headers or entries; the first 64 are enough.
    QByteArray current;
    int tried = 0;
    for (const QByteArray& line : before) {
        if (tried == 64) break;
        const QByteArray t = line.trimmed();
        if (t.startsWith('[') && t.contains(']')) {
            current = t.mid(1, t.indexOf(']') - 1).trimmed();
            continue;
        }
        const qsizetype eq = line.indexOf('=');
        if (eq < 0) continue;
        const QByteArray name = line.left(eq).trimmed();
        if (same(current, section) && same(name, key)) continue;
        ++tried;
        check(IniFile::lookup(out, current, name) == IniFile::lookup(content, current, name));
    }
    return 0;
}
