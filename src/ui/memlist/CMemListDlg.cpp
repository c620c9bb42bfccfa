// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/memlist/CMemListDlg.h"

#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include "core/app/OpenFiles.h"
#include "core/app/SaveSequences.h"
#include "core/app/SpreadsheetExport.h"
#include "core/memlist/MemoryListPages.h"
#include "core/survey/RequirementChoice.h"
#include "core/survey/SurveyReportSave.h"
#include "core/survey/SurveySettings.h"
#include "report/SurveyReportPdf.h"
#include "ui/app/DialogFrame.h"
#include "ui/app/ToolbarIcons.h"
#include "ui/survey/CGridMapDlg.h"
#include "ui/survey/SurveyIcons.h"

namespace km905 {

namespace {
const QColor kPassInk(20, 130, 60);
const QColor kFailInk(190, 0, 0);

// A 48 x 20 button picture: the command's symbol and its word.
QIcon barButton(const QIcon& symbol, const QString& word) {
    QPixmap pm(48, 20);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    symbol.paint(&p, QRect(1, 2, 16, 16));
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(11);
    p.setFont(f);
    p.setPen(Qt::black);
    p.drawText(QRect(19, 0, 29, 20), Qt::AlignLeft | Qt::AlignVCenter, word);
    return QIcon(pm);
}
}  // namespace

CMemListDlg::CMemListDlg(MeterModel& model, IUserInteraction& ui, const ITimerService& clock,
                         const Settings& settings, QWidget* parent)
    : QDialog(parent),
      m_model(model),
      m_ui(ui),
      m_clock(clock),
      m_settings(settings),
      m_list(model, ui, clock, settings) {
    setWindowTitle(QStringLiteral("Light Data List"));
    setDialogFrame(this);
    setAttribute(Qt::WA_DeleteOnClose);
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(14);
    setFont(f);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* bar = new QToolBar(this);
    bar->setMovable(false);
    bar->setIconSize(QSize(48, 20));
    bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    auto button = [&](const QIcon& symbol, const QString& word, const QString& name) {
        return bar->addAction(barButton(symbol, word), name);
    };
    QAction* save =
        button(toolIcon(ToolIcon::Save), QStringLiteral("Save"), QStringLiteral("Save"));
    save->setToolTip(QStringLiteral("save"));
    QAction* csv =
        button(toolIcon(ToolIcon::Spreadsheet), QStringLiteral("CSV"), kSpreadsheetCsvCommandText);
    csv->setToolTip(QStringLiteral("UTF-8 CSV for spreadsheets"));
    QAction* open =
        button(toolIcon(ToolIcon::Open), QStringLiteral("Open"), QStringLiteral("Open"));
    QAction* print =
        button(toolIcon(ToolIcon::Print), QStringLiteral("Print"), QStringLiteral("Print"));
    QAction* grid = button(gridSymbol(), QStringLiteral("Grid"), QStringLiteral("Grid..."));
    grid->setToolTip(QStringLiteral("survey grid map"));
    QAction* report = button(reportSymbol(), QStringLiteral("PDF"), QStringLiteral("Report..."));
    report->setToolTip(QStringLiteral("survey report (PDF)"));
    QAction* require =
        button(requirementSymbol(), QStringLiteral("Req."), QStringLiteral("Requirement..."));
    require->setToolTip(QStringLiteral("required \u0112m and U0: pass or fail"));
    connect(require, &QAction::triggered, this, &CMemListDlg::chooseRequirement);
    connect(save, &QAction::triggered, this, &CMemListDlg::saveList);
    connect(csv, &QAction::triggered, this, &CMemListDlg::exportCsv);
    connect(open, &QAction::triggered, this, &CMemListDlg::openList);
    connect(print, &QAction::triggered, this, &CMemListDlg::printList);
    connect(grid, &QAction::triggered, this, &CMemListDlg::showGrid);
    connect(report, &QAction::triggered, this, &CMemListDlg::writeReport);
    // Tab reaches the commands before the list.
    for (QAction* a : bar->actions())
        if (QWidget* w = bar->widgetForAction(a)) w->setFocusPolicy(Qt::TabFocus);
    layout->addWidget(bar);
    auto* etched = new QFrame(this);
    etched->setObjectName(QStringLiteral("etchedLine"));
    etched->setFrameShape(QFrame::HLine);
    etched->setFrameShadow(QFrame::Sunken);
    layout->addWidget(etched);
    m_table = new QTableWidget(0, 5, this);
    m_table->setHorizontalHeaderLabels({"NO.", "DATA", "UNIT", "STATUS", "TIME"});
    m_table->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    const int widths[5] = {110, 110, 110, 110, 170};
    for (int c = 0; c < 5; ++c) m_table->setColumnWidth(c, widths[c]);
    m_table->verticalHeader()->hide();
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setShowGrid(true);
    layout->addWidget(m_table);
    // The survey's figures, under the list.
    auto line = [&](const char* name) {
        auto* label = new QLabel(this);
        label->setObjectName(QLatin1String(name));
        label->setContentsMargins(6, 2, 6, 2);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        layout->addWidget(label);
        return label;
    };
    m_surveyLine = line("surveyLine");
    m_leftOutLine = line("leftOutLine");
    m_verdictLine = line("verdictLine");
    resize(640, 560);
    // Each window opens on a finished download or for a list file: its rows are there at once.
    fillList();
    refreshSurvey();
}

void CMemListDlg::fillList() {
    const MemoryList::Taken taken = m_list.takeRecords();
    if (taken.emptyMemory) {
        // Once per opening is enough.
        if (!m_toldEmpty) {
            m_toldEmpty = true;
            QTimer::singleShot(0, this, [this] { m_ui.showMessage(kNoMemoryDataText); });
        }
        return;
    }
    if (taken.rows.empty()) return;
    const std::vector<QStringList>& rows = taken.rows;
    const int base = m_table->rowCount();
    m_table->setRowCount(base + static_cast<int>(rows.size()));
    for (size_t r = 0; r < rows.size(); ++r)
        for (int c = 0; c < 5; ++c) {
            auto* item = new QTableWidgetItem(rows[r][c]);
            item->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            m_table->setItem(base + static_cast<int>(r), c, item);
        }
    refreshSurvey();
}

std::optional<SurveyRequirement> CMemListDlg::requirement() const {
    return m_list.requirement();
}

void CMemListDlg::refreshSurvey() {
    const std::optional<SurveyRequirement> req = requirement();
    const SurveyRequirement* r = req ? &*req : nullptr;
    const SurveyStripTexts strip = surveyStripTexts(m_model.doc, r);
    m_surveyLine->setText(strip.summary);
    m_leftOutLine->setText(strip.leftOut);
    m_leftOutLine->setVisible(!strip.leftOut.isEmpty());
    m_verdictLine->setText(strip.verdict);
    m_verdictLine->setVisible(!strip.verdict.isEmpty());
    QPalette pal = palette();
    if (strip.passed) pal.setColor(QPalette::WindowText, *strip.passed ? kPassInk : kFailInk);
    m_verdictLine->setPalette(pal);
    if (CGridMapDlg* map = gridMap()) {
        const SurveySummary s = surveySummary(m_model.doc);
        // Another list brings its own grid when one is kept for it.
        const GridShape shape =
            m_list.grid().read(m_model.view.m_memListPath).value_or(map->shape());
        const GridMap m = surveyGridMap(m_model.doc, shape, s, r);
        map->setMap(m, s, gridNotesText(m, m_model.doc));
    }
}

void CMemListDlg::chooseRequirement() {
    if (chooseListRequirement(m_ui, m_list.grid(), m_model.view.m_memListPath)) refreshSurvey();
}

CGridMapDlg* CMemListDlg::gridMap() const {
    return findChild<CGridMapDlg*>(QStringLiteral("gridMap"));
}

void CMemListDlg::saveList() {
    m_list.save();
}

void CMemListDlg::exportCsv() {
    exportMemoryListCsv(m_settings, m_model, m_ui, m_clock.nowSecs());
}

void CMemListDlg::openList() {
    const std::optional<QString> path =
        m_ui.openFileName({m_settings.dataFolder(), QString(), kListFilter, kListSuffix});
    if (!path || path->isEmpty()) return;
    if (!m_list.open(*path)) return;  // the user was told why
    m_table->setRowCount(0);
    fillList();
    update();
}

void CMemListDlg::printList() {
    m_ui.printReport(
        memoryListPages(m_model.doc, memoryListPrintName(m_model.view, m_clock.nowSecs())));
}

void CMemListDlg::showGrid() {
    const QString& list = m_model.view.m_memListPath;
    const std::optional<GridShape> shape =
        m_ui.askGridShape(offeredGridShape(m_list.grid().read(list), surveySummary(m_model.doc)));
    if (!shape || !shape->valid()) return;
    if (!m_list.grid().write(list, *shape)) m_ui.showMessage(m_settings.notSavedText());
    CGridMapDlg* map = gridMap();
    if (!map) {
        map = new CGridMapDlg(this);
        map->setObjectName(QStringLiteral("gridMap"));
    }
    const SurveySummary s = surveySummary(m_model.doc);
    const std::optional<SurveyRequirement> req = requirement();
    const GridMap m = surveyGridMap(m_model.doc, *shape, s, req ? &*req : nullptr);
    map->setMap(m, s, gridNotesText(m, m_model.doc));
    map->show();
    map->raise();
}

void CMemListDlg::writeReport() {
    const QString list = m_model.view.m_memListPath;
    const std::optional<GridShape> grid = m_list.grid().read(list);
    const qint64 now = m_clock.nowSecs();
    const PaperSize paper = paperSizeFor(QLocale::system().territory());
    saveSurveyReport(
        m_settings, m_ui, surveyReportRequest(m_settings, list, now), [&](const ReportDetails& d) {
            return surveyReportPdf(
                surveyReport(surveyReportInput(m_model.doc, grid, d, now, paper, requirement())));
        });
}

}  // namespace km905
