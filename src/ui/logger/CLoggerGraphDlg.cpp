// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/logger/CLoggerGraphDlg.h"

#include <QCursor>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>

#include "core/app/SpreadsheetExport.h"
#include "core/logger/LoggerReport.h"
#include "ui/app/DialogFrame.h"
#include "ui/app/ToolbarIcons.h"
#include "ui/logger/LoggerGraphPainter.h"

namespace km905 {

namespace {

// Fixed layout, in pixels: the list on the left, the graph right of it, the scroll bar under
// the graph and the toolbar across the top.
constexpr int kWidth = 1000;
constexpr int kHeight = 570;
constexpr int kToolBarHeight = 23;
// The list ends short of the Y labels: the widest (thousands) begins 70 - 7.5 pixels left of
// the plot, which begins 306 pixels from the window's left edge.
constexpr QRect kListRect{6, 27, 230, 540};
constexpr QRect kScrollRect{250, 551, 741, 15};

QIcon yAxisIcon() {
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setPen(QPen(QColor(40, 40, 40), 2));
    p.drawLine(8, 4, 8, 27);
    p.drawLine(8, 27, 28, 27);
    for (int y = 8; y <= 24; y += 4) p.drawLine(5, y, 8, y);
    p.drawText(QRect(12, 4, 18, 16), Qt::AlignCenter, QStringLiteral("Y"));
    return QIcon(pm);
}

}  // namespace

CLoggerGraphDlg::CLoggerGraphDlg(MeterModel& model, IUserInteraction& ui, ITimerService& timers,
                                 const Settings& settings, QWidget* parent)
    : QDialog(parent), m_model(model), m_ui(ui), m_timers(timers), m_window(model, ui, settings) {
    setWindowTitle(QStringLiteral("Light Datalogger Graph"));
    setDialogFrame(this, FrameButtons::CloseAndMinimize);
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_OpaquePaintEvent);  // the paint covers the whole window
    setMouseTracking(true);
    setFixedSize(kWidth, kHeight);
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(14);
    setFont(f);

    m_toolBar = new QToolBar(this);
    m_toolBar->setGeometry(0, 0, kWidth, kToolBarHeight);
    m_toolBar->setIconSize(QSize(16, 16));
    const std::pair<QIcon, QString> looks[kCommandCount] = {
        {toolIcon(ToolIcon::Save), QStringLiteral("Save")},
        {toolIcon(ToolIcon::Open), QStringLiteral("Download")},
        {toolIcon(ToolIcon::Print), QString()},
        {toolIcon(ToolIcon::UndoZoom), QStringLiteral("ZoomOut")},
        {yAxisIcon(), QString()},
        {toolIcon(ToolIcon::Spreadsheet), kSpreadsheetCsvCommandText},
    };
    // The names screen readers say; the two buttons without a tip are named all the same.
    const QString names[kCommandCount] = {QStringLiteral("Save"),   QStringLiteral("Download"),
                                          QStringLiteral("Print"),  QStringLiteral("ZoomOut"),
                                          QStringLiteral("Y Axis"), kSpreadsheetCsvCommandText};
    for (int c = 0; c < kCommandCount; ++c) {
        QAction* a = m_toolBar->addAction(looks[c].first, QString());
        a->setToolTip(looks[c].second);
        if (QWidget* button = m_toolBar->widgetForAction(a)) {
            button->setFixedSize(78, 18);
            button->setFocusPolicy(Qt::TabFocus);
            button->setAccessibleName(names[c]);
        }
        connect(a, &QAction::triggered, this, [this, c] { trigger(static_cast<Command>(c)); });
        m_commands[c] = a;
    }

    m_list = new QTableWidget(0, static_cast<int>(kLoggerListColumns.size()), this);
    m_list->setGeometry(kListRect);
    QStringList captions;
    for (const LoggerColumn& col : kLoggerListColumns) captions << QString::fromLatin1(col.caption);
    m_list->setHorizontalHeaderLabels(captions);
    for (int c = 0; c < static_cast<int>(kLoggerListColumns.size()); ++c)
        m_list->setColumnWidth(c, kLoggerListColumns[static_cast<size_t>(c)].width);
    m_list->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_list->verticalHeader()->hide();
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setShowGrid(true);
    connect(m_list, &QTableWidget::cellDoubleClicked, this,
            [this](int row, int) { doubleClickRow(row); });
    m_list->installEventFilter(this);
    m_list->setAccessibleName(QStringLiteral("Records"));
    m_list->setAccessibleDescription(QStringLiteral("Return or Space draws the record"));
    setAccessibleName(windowTitle());

    m_scroll = new QScrollBar(Qt::Horizontal, this);
    m_scroll->setGeometry(kScrollRect);
    m_scroll->setEnabled(false);
    connect(m_scroll, &QScrollBar::actionTriggered, this, &CLoggerGraphDlg::scrollAction);

    fillRows();
}

CLoggerGraphDlg::~CLoggerGraphDlg() {
    // Closed windows have run their closing steps; one destroyed with the main window leaves
    // the model alone, which may already be gone.
    if (!m_closed) m_timers.killTimer(TimerOwner::Logger, kLoggerDragTimerId);
}

ClientRect CLoggerGraphDlg::clientRect() const {
    return {0, 0, width(), height()};
}

void CLoggerGraphDlg::fillRows() {
    const std::vector<QStringList> rows = m_window.rows();
    m_list->setRowCount(static_cast<int>(rows.size()));
    for (size_t r = 0; r < rows.size(); ++r)
        for (int c = 0; c < rows[r].size(); ++c) {
            auto* item = new QTableWidgetItem(rows[r][c]);
            item->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            m_list->setItem(static_cast<int>(r), c, item);
        }
}

void CLoggerGraphDlg::updateScrollBar() {
    const std::optional<int> thumb = m_window.prepareScroll(clientRect());
    const LoggerZoomState& z = m_window.zoomState();
    const bool zoomed = m_window.graphShown() && z.g_fullView() == 0;
    m_scroll->setEnabled(zoomed);
    if (zoomed) {
        QSignalBlocker quiet(m_scroll);
        m_scroll->setRange(0, m_model.doc.fileCount());
        if (thumb) m_scroll->setValue(*thumb);
    }
}

void CLoggerGraphDlg::trigger(Command c) {
    switch (c) {
        case kSave:
            m_window.save();
            break;
        case kExportCsv:
            m_window.exportCsv();
            break;
        case kDownload: {
            const LoggerOpenResult r = m_window.openGraph();
            if (r.rowsChanged) fillRows();
            break;
        }
        case kPrint:
            printReport();
            break;
        case kZoomOut:
            m_window.zoomOut();
            break;
        case kYAxis:
            m_window.yAxis();
            break;
        case kCommandCount:
            break;
    }
    if (m_window.syncList()) fillRows();
    updateScrollBar();
    update();
}

void CLoggerGraphDlg::printReport() {
    m_ui.printReport({loggerReport(m_model.doc, m_window.fullViewLabels(), m_timers.nowSecs())});
}

void CLoggerGraphDlg::openFiles(const QStringList& paths) {
    if (m_window.openFiles(paths)) fillRows();
    updateScrollBar();
    update();
}

void CLoggerGraphDlg::doubleClickRow(int row) {
    m_window.doubleClick(row);
    updateScrollBar();
    tellReadout();
    update();
}

void CLoggerGraphDlg::tellReadout() {
    // The graph's readout, as painted above it, is the window's description.
    const LoggerZoomState& z = m_window.zoomState();
    const QString spoken = z.g_readoutValue.trimmed().isEmpty()
                               ? QString()
                               : QStringLiteral("Light %1 @ %2")
                                     .arg(z.g_readoutValue.trimmed(), z.g_readoutTime.trimmed());
    if (accessibleDescription() != spoken) setAccessibleDescription(spoken);
}

bool CLoggerGraphDlg::eventFilter(QObject* watched, QEvent* e) {
    // Return or Space on a record draws it, as a double-click does.
    if (watched == m_list && e->type() == QEvent::KeyPress) {
        const auto* k = static_cast<QKeyEvent*>(e);
        const bool draw =
            k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter || k->key() == Qt::Key_Space;
        if (draw && k->modifiers() == Qt::NoModifier) {
            if (!k->isAutoRepeat() && m_list->currentRow() >= 0)
                doubleClickRow(m_list->currentRow());
            return true;
        }
    }
    return QDialog::eventFilter(watched, e);
}

void CLoggerGraphDlg::scrollAction(int action) {
    const int thumb = action == QAbstractSlider::SliderMove
                          ? m_window.scrollTo(m_scroll->sliderPosition())
                          : m_window.zoom().thumb();
    // Only dragging the thumb moves the graph: arrows and page areas put it back.
    m_scroll->setSliderPosition(thumb);
    update();
}

void CLoggerGraphDlg::timerTick(int id) {
    if (id != kLoggerDragTimerId) return;
    const QPoint p = mapFromGlobal(QCursor::pos());
    if (m_window.dragWatch(p.x(), p.y(), clientRect())) {
        m_timers.killTimer(TimerOwner::Logger, kLoggerDragTimerId);
        update();
    }
}

void CLoggerGraphDlg::mousePressEvent(QMouseEvent* e) {
    QDialog::mousePressEvent(e);
    if (e->button() != Qt::LeftButton) return;
    const QPoint p = e->position().toPoint();
    m_window.leftDown(p.x(), p.y(), clientRect());
    m_timers.setTimer(TimerOwner::Logger, kLoggerDragTimerId, kLoggerDragTimerMs);
}

void CLoggerGraphDlg::mouseMoveEvent(QMouseEvent* e) {
    QDialog::mouseMoveEvent(e);
    const QPoint p = e->position().toPoint();
    if (m_window.mouseMove(p.x(), p.y(), clientRect())) {
        tellReadout();
        update();
    }
}

void CLoggerGraphDlg::mouseReleaseEvent(QMouseEvent* e) {
    QDialog::mouseReleaseEvent(e);
    if (e->button() != Qt::LeftButton) return;
    const QPoint p = e->position().toPoint();
    if (m_window.leftUp(p.x(), p.y(), clientRect())) {
        updateScrollBar();
        update();
    }
}

void CLoggerGraphDlg::done(int result) {
    if (!m_closed) {
        m_closed = true;
        m_timers.killTimer(TimerOwner::Logger, kLoggerDragTimerId);
        m_window.close();
        m_scroll->setEnabled(false);
    }
    QDialog::done(result);
}

void CLoggerGraphDlg::paintEvent(QPaintEvent*) {
    if (!m_closed && m_window.syncList()) fillRows();
    const LoggerGraphPicture pic = m_window.picture(clientRect());
    // Drawn off screen and copied in one piece.
    QPixmap buffer(size());
    {
        QPainter p(&buffer);
        drawLoggerGraph(p, pic, rect());
    }
    QPainter window(this);
    window.drawPixmap(0, 0, buffer);
}

}  // namespace km905
