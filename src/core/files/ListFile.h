// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

#include "core/model/MeterState.h"

namespace km905 {

struct ListRecord {
    float value = 0;  // lux, or the over-range mark
    uint8_t unitFC = 0;
    QString mode;
    uint8_t sign = 0;  // 1 = negative
    QString time;      // "%m/%d/%y %H:%M:%S"
};

struct ListReadResult {
    enum class Status { Ok, InvalidFormat, Truncated } status = Status::Ok;
    std::vector<ListRecord> records;  // whole records only
};

inline constexpr int kListCapacity = kMemCapacity;

QByteArray writeListFile(const std::vector<ListRecord>& records);
// A wrong magic, or a count outside 0..100, is an invalid format.
ListReadResult readListFile(const QByteArray& bytes);

std::vector<ListRecord> listFromDocument(const CDTDoc& doc);
// Puts the records read into the document's memory arrays.
void listToDocument(const std::vector<ListRecord>& records, CDTDoc& doc);

}  // namespace km905
