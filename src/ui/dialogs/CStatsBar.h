// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLineEdit>
#include <QWidget>

#include "core/model/MeterState.h"

namespace km905 {

// The running maximum, minimum (with their times) and average under the graph.
class CStatsBar : public QWidget {
    Q_OBJECT
  public:
    CStatsBar(const ViewState& view, QWidget* parent);
    void transfer();
    QString maxText() const { return m_max->text(); }
    QString maxTime() const { return m_maxTime->text(); }
    QString minText() const { return m_min->text(); }
    QString minTime() const { return m_minTime->text(); }
    QString avgText() const { return m_avg->text(); }

  protected:
    void paintEvent(QPaintEvent*) override;

  private:
    const ViewState& m_view;
    QLineEdit *m_max, *m_maxTime, *m_min, *m_minTime, *m_avg;
};

}  // namespace km905
