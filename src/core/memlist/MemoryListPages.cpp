// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/memlist/MemoryListPages.h"

#include <QFileInfo>

#include "core/files/TextExport.h"
#include "core/model/TimeText.h"
#include "core/survey/SurveySummary.h"

namespace km905 {

std::vector<QStringList> memoryListRows(const CDTDoc& doc) {
    std::vector<QStringList> rows;
    const int n = std::clamp(doc.m_memCount, 0, kMemCapacity);
    for (int i = 0; i < n; ++i) {
        const auto k = static_cast<size_t>(i);
        rows.push_back({QString::number(i + 1),
                        listValueText(doc.m_memValues[k], doc.m_memUnitFC[k], doc.m_memFlagB[k]),
                        doc.m_memUnitFC[k] ? QStringLiteral("FC") : QStringLiteral("Lux"),
                        doc.m_memModes[k], doc.m_memTimes[k]});
    }
    return rows;
}

QString memoryListPrintName(const ViewState& v, qint64 nowSecs) {
    if (!v.m_memListPath.isEmpty()) return QFileInfo(v.m_memListPath).completeBaseName();
    return formatLocalTime(nowSecs, kFileNameTimeFormat);
}

std::vector<ReportPage> memoryListPages(const CDTDoc& doc, const QString& printName) {
    const std::vector<QStringList> rows = memoryListRows(doc);
    const int pages = rows.size() > 50 ? 2 : 1;
    const int xs[5] = {-670, -550, -430, -310, -190};
    const char* headings[5] = {"NO", "DATA", "UNIT", "STATUS", "TIME"};
    std::vector<ReportPage> out;
    int lastY = 1020;  // where the rows of the last page end
    for (int page = 0; page < pages; ++page) {
        ReportPage p;
        p.documentName = QStringLiteral("client   print");
        p.proposedName = printName;
        p.title = QStringLiteral("Light Data List ") + printName;
        p.lines.push_back({ReportPage::Pen::Frame, -790, 1010, -10, 1010});
        p.traceEnd = 1;
        for (int c = 0; c < 5; ++c)
            p.texts.push_back(
                {QString::fromLatin1(headings[c]), ReportPage::Font::List, xs[c], 1030});
        const size_t first = page == 0 ? 0 : 50;
        const size_t last = pages == 1 ? rows.size() : (page == 0 ? 50 : rows.size());
        lastY = 1020;
        for (size_t r = first; r < last; ++r) {
            const int y = 1000 - 20 * static_cast<int>(r - first);
            for (int c = 0; c < 5; ++c)
                p.texts.push_back({rows[r][c], ReportPage::Font::List, xs[c], y});
            lastY = y;
        }
        out.push_back(std::move(p));
    }
    if (rows.empty()) return out;
    // The survey summary follows the last row, under a line of its own; a page too full for
    // it puts it on one more page.
    const SurveySummary s = surveySummary(doc);
    QStringList summary{surveySummaryLine(s)};
    if (const QString left = surveyLeftOutText(s); !left.isEmpty()) summary << left;
    const int needed = 30 + 20 * static_cast<int>(summary.size() - 1) + 14;
    if (lastY - needed < 0) {
        ReportPage extra;
        extra.documentName = QStringLiteral("client   print");
        extra.title = out.front().title;
        out.push_back(std::move(extra));
        lastY = 1030;  // the summary at the first row's height
    }
    ReportPage& p = out.back();
    p.lines.push_back({ReportPage::Pen::Frame, -790, lastY - 22, -10, lastY - 22});
    for (qsizetype i = 0; i < summary.size(); ++i)
        p.texts.push_back(
            {summary[i], ReportPage::Font::List, -790, lastY - 30 - 20 * static_cast<int>(i)});
    return out;
}

}  // namespace km905
