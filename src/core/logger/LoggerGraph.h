// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>
#include <QString>
#include <array>
#include <optional>
#include <vector>

#include "core/graph/CursorReadout.h"
#include "core/graph/PlotRect.h"
#include "core/graph/Polyline.h"
#include "core/graph/RubberBand.h"
#include "core/graph/YScale.h"
#include "core/graph/ZoomStack.h"
#include "core/graph/ZoomState.h"
#include "core/model/MeterState.h"

namespace km905 {

// The datalogger plot: the axis (label 0) lies on the plot's bottom edge.
inline constexpr PlotMargins kLoggerPlotMargins{306, 90, 61, 61, 0};
inline constexpr YLabelStyle kLoggerLabelStyle{'K', true};
// A drag that goes this far past the plot is cancelled by the drag watch.
inline constexpr DragWatchMargins kLoggerDragWatch{50, 20, 50, 40};
// The scroll shift is taken off after truncating to a sample.
inline constexpr CursorAxis kLoggerCursor{0, true};
inline constexpr int kLoggerDragTimerId = 4;
inline constexpr int kLoggerDragTimerMs = 10;

PlotRect loggerPlotRect(const ClientRect& client);

// Zoom, scroll, drag and cursor state of the datalogger window, for as long as it is open.
struct LoggerZoomState {
    // Level, full view, scroll, the rectangles (g_zoomDownX, g_zoomDownY, g_zoomUpX,
    // g_zoomUpY), the band (g_dragging, g_dragIdle ...) and the cursor.
    ZoomState zoom{0};
    QString g_readoutValue;
    QString g_readoutTime;

    uint8_t g_fullView() const { return zoom.fullView; }
    int g_zoomLevel() const { return zoom.level; }
    int g_scrollShift() const { return zoom.scrollShift; }
    int g_firstVisible() const { return zoom.firstVisible; }
    uint8_t g_dragging() const { return zoom.bandActive; }
    uint8_t g_dragIdle() const { return zoom.bandIdle; }
    // No cursor line is on the screen.
    uint8_t g_cursorFresh() const { return zoom.cursorHidden; }
    int g_cursorIndex() const { return zoom.cursorIndex; }
};

// Where the samples of one zoom level lie: sample k at x = firstX + pitch × k (before the
// scroll shift), a value v at the row given by the level's labels.
struct LoggerLevel {
    double firstX = 0;
    double pitch = 0;
    YLabels labels{};
};

// Level `level` from the full view through every stored rectangle; the affine maps are
// composed, so no position table is built.
LoggerLevel loggerLevel(const LoggerZoomState& z, int sampleCount, const YLabels& fullView,
                        const PlotRect& plot, int level);

struct LoggerText {
    QString text;
    int x, y;  // top-left
    bool operator==(const LoggerText&) const = default;
};

// Everything one paint of the datalogger window draws, in client pixels.
struct LoggerGraphPicture {
    PlotRect plot;
    QRect plotArea;                   // filled black
    QRect curveClip;                  // the curve and the time grid stay inside it
    std::vector<PixelLine> grid;      // grey (80, 80, 80)
    std::vector<PixelLine> axes;      // red, with the left ticks
    std::vector<PixelLine> timeGrid;  // zoomed view, grey (100, 100, 100)
    std::vector<PixelLine> curve;     // red, one pixel
    std::vector<LoggerText> texts;    // black on the window colour
    std::optional<int> cursorX;       // dotted (150, 50, 50), top to bottom
    std::optional<QRect> band;        // the zoom drag
    bool scrollEnabled = false;
    int scrollMax = 0;
};

// A graph counts as shown once a record is chosen or a file read.
bool loggerGraphShown(int logSelRecord, const ViewState& view);

// The scroll position of a newly entered zoom level (g_firstVisible, g_scrollReady); returns
// the thumb position to set, once per level.
std::optional<int> enterLoggerLevelScroll(LoggerZoomState& z, const CDTDoc& doc,
                                          const YLabels& fullView, const PlotRect& plot);

// The picture as the state stands; changes nothing. `shown` says whether a graph is chosen.
LoggerGraphPicture loggerGraphPicture(const LoggerZoomState& z, const CDTDoc& doc, bool shown,
                                      const YLabels& fullView, const ClientRect& client);

// The readout value of a reading: "OL", "%.2f Lux", "%.2f KLux", "%.2f FC", "%.2f KFC".
QString loggerReadoutValue(float lux, uint8_t unitFC);

// The mouse, timer, toolbar and scroll bar on the datalogger graph.
class LoggerZoom {
  public:
    LoggerZoom(LoggerZoomState& z, const CDTDoc& doc) : m_z(z), m_doc(doc) {}

    // Left button down (always): arms the drag; the drag watch timer is to start.
    void leftDown(int x, int y, const ClientRect& client);
    // Mouse move while a graph is shown: cursor, band, readout. True when anything changed.
    bool mouseMove(int x, int y, const ClientRect& client, bool shown, const YLabels& fullView);
    // Left button up: true when the window is to repaint.
    bool leftUp(int x, int y, const ClientRect& client, bool shown, const YLabels& fullView);
    // The drag watch tick: true when the drag was cancelled (repaint, stop the timer).
    bool dragWatch(int x, int y, const ClientRect& client);
    // Back to the full view (zoom out, double-click, opening a file, closing).
    void fullView();
    // Thumb tracking: the new scroll shift; returns the thumb position to show.
    int scrollTo(int thumb);
    int thumb() const;

  private:
    LoggerZoomState& m_z;
    const CDTDoc& m_doc;
};

}  // namespace km905
