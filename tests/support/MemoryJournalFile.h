// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

#include "core/files/JournalFile.h"

namespace km905::test {

// The journal in memory; it can lose the bytes of one append, as a full disk would, and
// refuse to be moved aside.
struct MemoryJournalFile : IJournalFile {
    std::optional<QByteArray> bytes;
    int failAppend = -1;  // the append (from 0) that writes only 3 bytes and fails
    int appends = 0;
    int removes = 0;
    bool create(const QByteArray& b) override {
        bytes = b;
        return true;
    }
    bool append(const QByteArray& b) override {
        if (!bytes) return false;
        if (appends++ == failAppend) {
            bytes->append(b.left(3));
            return false;
        }
        bytes->append(b);
        return true;
    }
    std::optional<QByteArray> readAll() override { return bytes; }
    void remove() override {
        bytes.reset();
        ++removes;
    }
    std::vector<QByteArray> kept;  // what keepAside moved, in order
    bool keepFails = false;
    std::optional<QString> keepAside() override {
        if (!bytes || keepFails) return std::nullopt;
        kept.push_back(*bytes);
        bytes.reset();
        return QStringLiteral("journal.%1").arg(kept.size());
    }
};

}  // namespace km905::test
