// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/survey/CGridMapDlg.h"

#include <QPainter>
#include <QVBoxLayout>
#include <algorithm>

#include "report/DrawingPainter.h"
#include "ui/app/DialogFrame.h"

namespace km905 {

namespace {
// Screen sizes in pixels.
const GridMapLook kScreenMap{13, 8, 110, 1};
constexpr int kMapMargin = 12;
}  // namespace

class GridMapView : public QWidget {
  public:
    explicit GridMapView(CGridMapDlg* owner) : QWidget(owner), m_owner(owner) {
        setObjectName(QStringLiteral("gridMapView"));
        setAutoFillBackground(true);
        QPalette pal = palette();
        pal.setColor(QPalette::Window, Qt::white);
        setPalette(pal);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        paintDrawing(p, m_owner->picture().drawing, 1.0);
    }

  private:
    CGridMapDlg* m_owner;
};

CGridMapDlg::CGridMapDlg(QWidget* parent) : QDialog(parent) {
    setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_view = new GridMapView(this);
    layout->addWidget(m_view);
}

void CGridMapDlg::setMap(const GridMap& map, const SurveySummary& summary, const QString& notes) {
    m_map = map;
    m_summary = summary;
    m_notes = notes;
    m_pictureSize = QSize();
    setWindowTitle(gridMapTitle(map.shape));
    m_view->setAccessibleName(windowTitle());
    fitCaptionWidth(this);
    // Room for cells of about 64 pixels, within a screen.
    const int cell = 64;
    resize(std::clamp(map.shape.columns * cell + 2 * kMapMargin, 380, 1100),
           std::clamp(map.shape.rows * cell + 2 * kMapMargin + 110, 300, 860));
    m_view->update();
}

const GridMapPicture& CGridMapDlg::picture() {
    if (m_pictureSize != m_view->size()) {
        m_pictureSize = m_view->size();
        const QRectF area = QRectF(QPointF(0, 0), QSizeF(m_pictureSize))
                                .adjusted(kMapMargin, kMapMargin, -kMapMargin, -kMapMargin);
        m_picture = gridMapPicture(m_map, m_summary, m_notes, area, kScreenMap);
    }
    return m_picture;
}

}  // namespace km905
