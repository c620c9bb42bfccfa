// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>
#include <QString>
#include <optional>

#include "core/graph/RubberBand.h"
#include "core/realtime/RtGraph.h"

namespace km905 {

// A drag that goes this far past the plot is cancelled: 3 above it, 50 left of it, 30 right
// of it (20 from the view's edge) and 20 under it.
inline constexpr DragWatchMargins kRtDragWatch{50, 3, 30, 20};

// The mouse on the real-time graph: the cursor readout, the rubber band and the zoom stack.
// Every call recomputes the plot geometry from the view's client rectangle.
class RtZoom {
  public:
    RtZoom(RtGraphState& g, ViewState& v, const CDTDoc& doc, const uint8_t& unitFC)
        : m_g(g), m_v(v), m_doc(doc), m_unitFC(unitFC) {}

    struct Readout {
        QString time;  // status bar pane 1
        QString data;  // pane 2
    };

    // Left button down: arms the band; true when the drag watch tick is to run.
    bool leftDown(int x, int y, const ClientRect& client);
    // The readout of the sample nearest the pointer, when it has one.
    std::optional<Readout> mouseMove(int x, int y, const ClientRect& client);
    // True when the view is to repaint (every release after a press).
    bool leftUp(int x, int y, const ClientRect& client);
    // The drag watch tick: true when the drag was cancelled (repaint, stop the tick).
    bool dragWatch(int x, int y, const ClientRect& client);
    void undoZoom();
    // A message of the zoom strip's scroll bar. Only thumb tracking shifts the view; after
    // every message, arrows and page clicks too, the thumb shows where the view is: returned.
    int scrollMessage(bool thumbTracking, int thumb);

    // The rectangle the band covers now, in view pixels, while one is drawn.
    std::optional<QRect> band() const;
    // Where the cursor line is, in view pixels, while one is shown.
    std::optional<int> cursorX() const;

  private:
    RtGraphState& m_g;
    ViewState& m_v;
    const CDTDoc& m_doc;
    const uint8_t& m_unitFC;
};

QString readoutData(float lux, uint8_t unitFC);

}  // namespace km905
