// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "TestData.h"
#include "core/files/ArchiveIO.h"
#include "core/files/GraphFile.h"
#include "core/files/ListFile.h"

using namespace km905;
using namespace km905::test;

namespace {
GraphRecord threeReadings(uint8_t unit, int scale) {
    GraphRecord g;
    g.headerCount = 3;
    g.readings = {250.0f, 1234.5f, kOverRange};
    g.scale = scale;
    g.unitFC = unit;
    g.start = {2026, 3, 1, 8, 15, 30};
    g.rateSecs = 2;
    return g;
}
}  // namespace

TEST(ArchiveString, AllThreeLengthFormsAndUtf16) {
    for (int n : {0, 254, 255, 65533, 65534, 70000}) {
        ArchiveWriter w;
        const QByteArray text(n, 'a');
        w.putNarrow(text);
        const QByteArray& b = w.bytes();
        const int prefix = n < 255 ? 1 : n < 65534 ? 3 : 7;
        ASSERT_EQ(b.size(), prefix + n) << n;
        if (prefix == 3) {
            EXPECT_EQ(b.left(3), QByteArray("\xFF") + char(n & 0xFF) + char(n >> 8));
        }
        if (prefix == 7) {
            EXPECT_EQ(b.left(3), "\xFF\xFF\xFF");
        }
        ArchiveReader r(b);
        EXPECT_EQ(r.string(), QString(text)) << n;
        EXPECT_EQ(r.remaining(), 0);
    }
    // FF FE FF: UTF-16 code units, the length in the same forms.
    const QByteArray u(
        "\xFF\xFE\xFF\x03K\x00\xE9\x00"
        "5\x00",
        10);
    ArchiveReader r(u);
    EXPECT_EQ(r.string(), QString::fromUtf8("K\xC3\xA9"
                                            "5"));
    // A length longer than the data never reads past it.
    const QByteArray cut(
        "\xFF\x10\x27"
        "abc",
        6);
    ArchiveReader c(cut);
    EXPECT_FALSE(c.string().has_value());
    EXPECT_EQ(c.position(), 0);
}

TEST(ListFile, TheGeneralRecordByteForByte) {
    const std::vector<ListRecord> recs = {{250.0f, 0, "General", 0, "01/02/19 10:20:30"}};
    const QByteArray bytes = writeListFile(recs);
    EXPECT_EQ(bytes, golden("general-250lux.MemDat"));
    EXPECT_EQ(bytes.mid(10, 4).toHex(), "00007a43");
    const ListReadResult r = readListFile(bytes);
    ASSERT_EQ(r.status, ListReadResult::Status::Ok);
    ASSERT_EQ(r.records.size(), 1u);
    EXPECT_EQ(r.records[0].mode, "General");
    EXPECT_EQ(r.records[0].time, "01/02/19 10:20:30");
    EXPECT_EQ(writeListFile({}), golden("empty.MemDat"));
    EXPECT_EQ(writeListFile({}).size(), 10);
}

TEST(ListFile, RefusedMagicsAndCounts) {
    QByteArray lower = golden("general-250lux.MemDat");
    lower.replace(1, 5, "km905");
    EXPECT_EQ(readListFile(lower).status, ListReadResult::Status::InvalidFormat);
    QByteArray other = lower;
    other.replace(1, 5, "KM906");
    EXPECT_EQ(readListFile(other).status, ListReadResult::Status::InvalidFormat);
    for (int count : {-1, 101, 1 << 30}) {
        QByteArray b = golden("empty.MemDat");
        const auto u = static_cast<uint32_t>(count);
        b.replace(6, 4, QByteArray::fromRawData(reinterpret_cast<const char*>(&u), 4));
        EXPECT_EQ(readListFile(b).status, ListReadResult::Status::InvalidFormat) << count;
    }
}

TEST(ListFile, TruncatedAtEveryLengthKeepsWholeRecordsOnly) {
    std::vector<ListRecord> recs;
    for (int i = 0; i < 3; ++i)
        recs.push_back({100.0f * i, 1, "Max", 1, "12/07/26 10:20:3" + QString::number(i)});
    const QByteArray full = writeListFile(recs);
    for (qsizetype len = 0; len < full.size(); ++len) {
        const ListReadResult r = readListFile(full.left(len));
        ASSERT_NE(r.status, ListReadResult::Status::Ok) << len;
        for (size_t k = 0; k < r.records.size(); ++k) EXPECT_EQ(r.records[k].time, recs[k].time);
        EXPECT_LT(r.records.size(), 3u);
    }
    EXPECT_EQ(readListFile(full).records.size(), 3u);
}

TEST(GraphFile, LayoutsByteForByteAndRoundTrips) {
    GraphRecord empty = threeReadings(0, 400);
    empty.headerCount = 0;
    empty.readings.clear();
    EXPECT_EQ(writeGraphFile(empty), golden("empty.AsmDat"));
    EXPECT_EQ(writeGraphFile(empty).size(), 47);
    EXPECT_EQ(writeGraphFile(threeReadings(0, 4000)), golden("three-lux.AsmDat"));
    const GraphReadResult r = readGraphFile(golden("three-fc.AsmDat"));
    ASSERT_EQ(r.status, GraphReadResult::Status::Ok);
    EXPECT_EQ(r.record.readings, threeReadings(1, 400).readings);
    EXPECT_EQ(r.record.unitFC, 1);
    EXPECT_EQ(r.record.start, (MeterDateTime{2026, 3, 1, 8, 15, 30}));
    EXPECT_EQ(r.record.rateSecs, 2);
    EXPECT_EQ(writeGraphFile(r.record), golden("three-fc.AsmDat"));
    const GraphReadResult e = readGraphFile(golden("empty.AsmDat"));
    EXPECT_EQ(e.status, GraphReadResult::Status::Ok);
    EXPECT_TRUE(e.record.readings.empty());
}

TEST(GraphFile, RefusedMagicAndCountsLeaveTheDocumentAlone) {
    CDTDoc doc;
    graphToDocument(readGraphFile(golden("three-lux.AsmDat")), doc);
    for (int n : {-1, 33001}) {
        QByteArray b = golden("three-lux.AsmDat");
        const auto u = static_cast<uint32_t>(n);
        b.replace(10, 4, QByteArray::fromRawData(reinterpret_cast<const char*>(&u), 4));
        const GraphReadResult r = readGraphFile(b);
        EXPECT_EQ(r.status, GraphReadResult::Status::InvalidFormat) << n;
        graphToDocument(r, doc);
        EXPECT_EQ(doc.fileCount(), 3);
        EXPECT_EQ(doc.m_file.headerCount, 3);
    }
    QByteArray magic = golden("three-lux.AsmDat");
    magic.replace(1, 5, "ABCDE");
    EXPECT_EQ(readGraphFile(magic).status, GraphReadResult::Status::InvalidFormat);
    QByteArray longForm = QByteArray("\xFF\x05\x00KM905", 8) + golden("empty.AsmDat").mid(6);
    EXPECT_EQ(readGraphFile(longForm).status, GraphReadResult::Status::Ok);
}

TEST(GraphFile, TruncatedAtEveryLengthNeverPromisesMoreThanWasRead) {
    const QByteArray full = golden("three-lux.AsmDat");
    for (qsizetype len = 6; len < full.size(); ++len) {
        CDTDoc doc;
        doc.m_file.rateSecs = 77;
        const GraphReadResult r = readGraphFile(full.left(len));
        ASSERT_EQ(r.status, GraphReadResult::Status::Truncated) << len;
        graphToDocument(r, doc);
        const qsizetype readingsRead = len < 14 ? 0 : std::min<qsizetype>((len - 14) / 4, 3);
        if (len >= 14) {
            EXPECT_EQ(doc.fileCount(), readingsRead) << len;
        }
        for (int i = 0; i < doc.fileCount(); ++i)
            EXPECT_EQ(doc.m_file.readings[static_cast<size_t>(i)],
                      threeReadings(0, 0).readings[static_cast<size_t>(i)]);
        EXPECT_EQ(doc.m_file.rateSecs, 77);  // never reached
    }
}

TEST(GraphFile, TheRealtimeWriterStoresEverySample) {
    MeterModel m;
    m.view.m_frameCount = 2;
    m.view.m_sampleIndex = 4;
    m.doc.m_readings[0] = 10;
    m.doc.m_readings[1] = 10;  // held
    m.doc.m_readings[2] = 20;
    m.doc.m_readings[3] = 20;
    m.doc.m_yGainDoc = 400;
    m.view.m_viewUnitFC = 1;
    m.view.m_startTime = 1772352930;  // 2026-03-01 08:15:30 UTC
    m.view.m_sampleRateMs = 5500;
    const GraphRecord g = graphFromRealtime(m);
    EXPECT_EQ(g.headerCount, 2);
    EXPECT_EQ(g.readings, (std::vector<float>{10, 10, 20, 20}));
    EXPECT_EQ(g.start, (MeterDateTime{2026, 3, 1, 8, 15, 30}));
    EXPECT_EQ(g.rateSecs, 5);
    EXPECT_EQ(writeGraphFile(g).size(), 47 + 16);
}
