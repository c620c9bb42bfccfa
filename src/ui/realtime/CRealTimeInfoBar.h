// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

#include "core/model/MeterState.h"

namespace km905 {

// The strip above the graph: battery, sampling period, start time, frame count, Y Axis.
class CRealTimeInfoBar : public QWidget {
    Q_OBJECT
  public:
    CRealTimeInfoBar(const ViewState& view, QWidget* parent);
    void transfer();  // the four texts to their boxes
    QPushButton* yAxisButton() const { return m_yAxis; }
    QString battery() const { return m_battery->text(); }
    QString sampleRate() const { return m_rate->text(); }
    QString startTime() const { return m_start->text(); }
    QString dataNo() const { return m_dataNo->text(); }

  protected:
    void keyPressEvent(QKeyEvent* e) override;
    void paintEvent(QPaintEvent*) override;

  private:
    const ViewState& m_view;
    QPushButton* m_yAxis;
    QLineEdit *m_battery, *m_rate, *m_start, *m_dataNo;
};

}  // namespace km905
