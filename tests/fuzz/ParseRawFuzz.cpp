// SPDX-License-Identifier: GPL-3.0-or-later
// km905-cli parse-raw's road: a datalogger stream stored into the model, each record chosen in
// the datalogger window's core, drawn, zoomed and scrolled, and turned into its graph file.
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>

#include "core/files/GraphFile.h"
#include "core/files/TextExport.h"
#include "core/link/LoggerStream.h"
#include "core/logger/LoggerWindow.h"
#include "core/session/Unattended.h"

using namespace km905;

namespace {

void check(bool ok) {
    if (!ok) __builtin_trap();
}

// The window reads the Y scale from the settings; these runs read an empty folder's defaults.
QTemporaryDir* g_dataFolder = nullptr;
const Settings* g_settings = nullptr;

constexpr ClientRect kClient{0, 0, 1000, 700};
constexpr int kMostRows = 40;  // enough to reach every kind of record

void checkPicture(const LoggerGraphPicture& pic) {
    const PlotRect& p = pic.plot;
    for (const PixelLine& l : pic.curve)
        for (const auto& [x, y] : {std::pair{l.x1, l.y1}, std::pair{l.x2, l.y2}})
            check(x >= p.left - 3 && x <= p.right + 3 && y >= p.top - 3 && y <= p.bottom + 3);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    g_dataFolder = new QTemporaryDir;
    g_settings = new Settings(g_dataFolder->path());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 0xFFFF) return 0;  // the meter announces its stream's length in two bytes
    static const MeterModel pristine;
    static MeterModel model;
    model = pristine;
    storeLoggerStream(model, data, size);

    NoUserInteraction ui;
    LoggerWindow window(model, ui, *g_settings);
    const int records = usableRecordCount(model.doc);
    check(records >= 0);
    (void)window.rows();
    for (int row = 0; row < records && row < kMostRows; ++row) {
        window.doubleClick(row);
        const int n = model.doc.fileCount();
        check(n >= 0 && n <= kReadingsCapacity);
        checkPicture(window.picture(kClient));
        (void)window.prepareScroll(kClient);
        // A zoom drag across the middle, a scroll to the end, and back out.
        window.leftDown(400, 200, kClient);
        window.mouseMove(600, 450, kClient);
        window.leftUp(600, 450, kClient);
        (void)window.prepareScroll(kClient);
        window.scrollTo(1 << 20);
        window.mouseMove(500, 300, kClient);
        checkPicture(window.picture(kClient));
        window.zoomOut();
        if (n == 0) continue;
        // What Save writes, and what reading it gives back.
        const GraphRecord g = graphFromDocument(model.doc);
        const QByteArray file = writeGraphFile(g);
        const GraphReadResult back = readGraphFile(file);
        check(back.status == GraphReadResult::Status::Ok &&
              back.record.readings.size() == g.readings.size());
        (void)loggerGraphExport(g);
    }
    window.close();
    return 0;
}
