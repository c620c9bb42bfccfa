// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QImage>
#include <QWidget>
#include <functional>

#include "core/model/MeterState.h"
#include "core/realtime/RtGraph.h"
#include "core/realtime/RtZoom.h"

namespace km905 {

class CRealTimeInfoBar;
class CStatsBar;
class CMeterPanelDlg;
class CZoomStrip;

// The real-time view: the graph, and the windows around it.
class CDTView : public QWidget {
    Q_OBJECT
  public:
    CDTView(MeterModel& model, QWidget* parent);

    CRealTimeInfoBar* infoBar() const { return m_infoBar; }
    CStatsBar* statsBar() const { return m_statsBar; }
    CMeterPanelDlg* meterPanel() const { return m_panel; }
    CZoomStrip* zoomStrip() const { return m_zoomStrip; }
    RtGraphState& graphState() { return m_graph; }

    // The paint's wishes the frame carries out: the graph was painted (a Run waiting for it
    // arms the first sampling tick), status texts, start or stop the drag watch tick.
    std::function<void()> onPainted;
    std::function<void(const QString& time, const QString& data)> onStatusTexts;
    std::function<void(bool on)> onDragWatch;

    // The graph changed: recompute it at the next paint.
    void invalidateGraph();
    RtZoom& zoom() { return m_zoom; }
    void undoZoom();
    void dragWatchTick();  // view timer 3

    // Paints the graph into an image of the given size, as paintEvent does.
    QImage renderGraph(const QSize& size);

  protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

  private:
    void layoutChildren();
    void tellReadout(const QString& time, const QString& data);
    ClientRect client() const { return {0, 0, width(), height()}; }

    MeterModel& m_model;
    RtGraphState m_graph;
    RtZoom m_zoom;
    bool m_graphDirty = true;
    QImage m_surface;
    QFont m_labelFont;
    CRealTimeInfoBar* m_infoBar;
    CStatsBar* m_statsBar;
    CMeterPanelDlg* m_panel;
    CZoomStrip* m_zoomStrip;
};

}  // namespace km905
