#include "CDTView.h"

#include <QPainter>
#include <QTimer>

#include "CRealTimeInfoBar.h"
#include "CZoomStrip.h"
#include "RtGraphPainter.h"
#include "dialogs/CStatsBar.h"
#include "panel/CMeterPanelDlg.h"

namespace km905 {

CDTView::CDTView(MeterModel& model, QWidget* parent) : QWidget(parent), m_model(model) {
    setAttribute(Qt::WA_OpaquePaintEvent);  // the graph paints every pixel itself
    m_labelFont = QFont(QStringLiteral("SimSun"));
    m_labelFont.setPointSize(10);
    m_infoBar = new CRealTimeInfoBar(model.view, this);
    m_statsBar = new CStatsBar(model.view, this);
    m_panel = new CMeterPanelDlg(model.view, this);
    m_zoomStrip = new CZoomStrip(this);
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
    const RtGraphPicture pic =
        paintRtGraph(m_graph, m_model.view, m_model.doc, m_model.frame.m_unitFC,
                     {0, 0, size.width(), size.height()});
    drawRtGraph(m_surface, pic, m_labelFont);
    if (pic.noSamples && onStatusTexts)
        onStatusTexts(QStringLiteral("Time:"), QStringLiteral("Data:"));
    if (pic.armFirstTick && onArmFirstTick) onArmFirstTick();
    if (pic.zoomed) {
        m_zoomStrip->scrollBar()->setRange(0, pic.scrollMax);
        if (pic.scrollPos) m_zoomStrip->scrollBar()->setValue(*pic.scrollPos);
    }
    if (pic.repaintAgain) QTimer::singleShot(0, this, [this] { update(); });
    m_infoBar->transfer();
    m_statsBar->transfer();
    return m_surface;
}

void CDTView::paintEvent(QPaintEvent*) {
    renderGraph(size());
    QPainter p(this);
    p.drawImage(0, 0, m_surface);
}

}  // namespace km905
