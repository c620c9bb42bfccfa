// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/realtime/CDTView.h"

#include <QCursor>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>

#include "ui/dialogs/CStatsBar.h"
#include "ui/panel/CMeterPanelDlg.h"
#include "ui/realtime/CRealTimeInfoBar.h"
#include "ui/realtime/CZoomStrip.h"
#include "ui/realtime/RtGraphPainter.h"

namespace km905 {

CDTView::CDTView(MeterModel& model, QWidget* parent)
    : QWidget(parent),
      m_model(model),
      m_zoom(m_graph, model.view, model.doc, model.frame.m_unitFC) {
    setAttribute(Qt::WA_OpaquePaintEvent);  // the graph paints every pixel itself
    setMouseTracking(true);
    m_labelFont = QFont(QStringLiteral("SimSun"));
    m_labelFont.setPointSize(10);
    setAccessibleName(QStringLiteral("Real-Time Graph"));
    // Made in the order Tab walks them: the meter, the bar above the graph, the graph's
    // scroll bar, the statistics.
    m_panel = new CMeterPanelDlg(model.view, this);
    m_infoBar = new CRealTimeInfoBar(model.view, this);
    m_zoomStrip = new CZoomStrip(this);
    m_statsBar = new CStatsBar(model.view, this);
    QScrollBar* bar = m_zoomStrip->scrollBar();
    // Arrows and page clicks come here too: the core puts their thumb back.
    connect(bar, &QScrollBar::actionTriggered, this, [this, bar](int action) {
        const bool tracking = action == QAbstractSlider::SliderMove;
        bar->setSliderPosition(m_zoom.scrollMessage(tracking, bar->sliderPosition()));
        invalidateGraph();
    });
}

void CDTView::invalidateGraph() {
    m_graphDirty = true;
    update();
}

void CDTView::undoZoom() {
    m_zoom.undoZoom();
    // The full view has nothing to scroll: the bar rests, its thumb at the start.
    m_zoomStrip->scrollBar()->setValue(0);
    m_zoomStrip->scrollBar()->setEnabled(false);
    invalidateGraph();
}

void CDTView::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    const QPoint p = e->position().toPoint();
    if (m_zoom.leftDown(p.x(), p.y(), client()) && onDragWatch) onDragWatch(true);
}

void CDTView::mouseMoveEvent(QMouseEvent* e) {
    const QPoint p = e->position().toPoint();
    const std::optional<RtZoom::Readout> r = m_zoom.mouseMove(p.x(), p.y(), client());
    if (r) tellReadout(r->time, r->data);
    if (m_model.view.m_sampleIndex >= 1) update();  // only the cursor and band move
}

void CDTView::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    const QPoint p = e->position().toPoint();
    if (!m_zoom.leftUp(p.x(), p.y(), client())) return;
    // A zoomed view can be scrolled.
    if (m_graph.g_rtFullView() == 0) m_zoomStrip->scrollBar()->setEnabled(true);
    invalidateGraph();
    repaint();
}

void CDTView::dragWatchTick() {
    const QPoint p = mapFromGlobal(QCursor::pos());
    if (!m_zoom.dragWatch(p.x(), p.y(), client())) return;
    if (onDragWatch) onDragWatch(false);
    invalidateGraph();
}

void CDTView::resizeEvent(QResizeEvent*) {
    layoutChildren();
}

// The frame's layout rules, in the view's own coordinates (it starts below the toolbar).
void CDTView::layoutChildren() {
    const int r = width(), b = height();
    m_infoBar->setGeometry(228, 0, r - 230, 120);
    if (b - 100 > 142) m_statsBar->setGeometry(228, b - 100, r - 230, 100);
    m_panel->setGeometry(0, 0, 228, b);
    if (b - 122 > 142) m_zoomStrip->setGeometry(228, b - 122, r - 230, 25);
    for (QWidget* w : {static_cast<QWidget*>(m_infoBar), static_cast<QWidget*>(m_statsBar),
                       static_cast<QWidget*>(m_panel), static_cast<QWidget*>(m_zoomStrip)}) {
        w->raise();
        w->show();
    }
}

QImage CDTView::renderGraph(const QSize& size) {
    if (m_surface.size() != size) m_surface = QImage(size, QImage::Format_RGB32);
    const PlotRect plot = rtPlotRect({0, 0, size.width(), size.height()});
    RtGraphPaint paint =
        paintRtGraph(m_graph, m_model.view, m_model.doc, m_model.frame.m_unitFC, plot);
    // The line itself is drawn over the picture at each paint, so none is kept inside it.
    paint.picture.cursorX.reset();
    const RtGraphPicture& pic = paint.picture;
    drawRtGraph(m_surface, pic, m_labelFont);
    if (pic.noSamples) tellReadout(QStringLiteral("Time:"), QStringLiteral("Data:"));
    if (onPainted) onPainted();
    if (pic.zoomed) {
        m_zoomStrip->scrollBar()->setRange(0, pic.scrollMax);
        if (paint.scrollPos) m_zoomStrip->scrollBar()->setValue(*paint.scrollPos);
    }
    if (paint.repaintAgain) QTimer::singleShot(0, this, [this] { invalidateGraph(); });
    m_infoBar->transfer();
    m_statsBar->transfer();
    return m_surface;
}

void CDTView::tellReadout(const QString& time, const QString& data) {
    // The readout is the graph's description for screen readers, as it is the status bar's.
    const QString spoken = time + QLatin1Char(' ') + data;
    if (accessibleDescription() != spoken) setAccessibleDescription(spoken);
    if (onStatusTexts) onStatusTexts(time, data);
}

void CDTView::paintEvent(QPaintEvent*) {
    if (m_graphDirty || m_surface.size() != size()) {
        m_graphDirty = false;
        renderGraph(size());
    }
    QPainter p(this);
    p.drawImage(0, 0, m_surface);
    // The cursor line and the rubber band lie over the picture.
    const PlotRect plot = rtPlotRect(client());
    QPen dots(Qt::white, 1, Qt::CustomDashLine);
    dots.setDashPattern({1, 1});
    if (const std::optional<int> x = m_zoom.cursorX()) {
        p.setPen(dots);
        p.drawLine(*x, plot.top, *x, plot.bottom);
    }
    if (const std::optional<QRect> band = m_zoom.band()) {
        p.setPen(dots);
        p.setBrush(Qt::NoBrush);
        p.drawRect(*band);
    }
}

}  // namespace km905
