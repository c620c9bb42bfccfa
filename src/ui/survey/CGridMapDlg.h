// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include "core/survey/GridMapPicture.h"

namespace km905 {

// The survey's grid map: one coloured cell per point, the legend and what the map leaves out.
class CGridMapDlg : public QDialog {
    Q_OBJECT
  public:
    explicit CGridMapDlg(QWidget* parent = nullptr);
    void setMap(const GridMap& map, const SurveySummary& summary, const QString& notes);
    const GridShape& shape() const { return m_map.shape; }
    // Where the picture lies inside the window, and the picture drawn there.
    QWidget* mapView() const { return m_view; }
    const GridMapPicture& picture();

  private:
    GridMap m_map;
    SurveySummary m_summary;
    QString m_notes;
    GridMapPicture m_picture;
    QSize m_pictureSize;  // the view's size the picture was made for
    QWidget* m_view;
};

}  // namespace km905
