#include "memlist/CMemListDlg.h"

#include <QFrame>
#include <QHeaderView>
#include <QPainter>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include "app/OpenFiles.h"
#include "app/SaveSequences.h"
#include "app/Settings.h"
#include "app/ToolbarIcons.h"
#include "memlist/MemoryListPages.h"

namespace km905 {

namespace {
// A 48 x 20 button picture: the command's symbol and its word.
QIcon barButton(ToolIcon symbol, const QString& word) {
    QPixmap pm(48, 20);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    toolIcon(symbol).paint(&p, QRect(1, 2, 16, 16));
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(11);
    p.setFont(f);
    p.setPen(Qt::black);
    p.drawText(QRect(19, 0, 29, 20), Qt::AlignLeft | Qt::AlignVCenter, word);
    return QIcon(pm);
}
}  // namespace

CMemListDlg::CMemListDlg(MeterModel& model, IUserInteraction& ui, const ITimerService& clock,
                         QWidget* parent)
    : QDialog(parent), m_model(model), m_ui(ui), m_clock(clock) {
    setWindowTitle(QStringLiteral("Light Data List"));
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
    QAction* save =
        bar->addAction(barButton(ToolIcon::Save, QStringLiteral("Save")), QStringLiteral("Save"));
    save->setToolTip(QStringLiteral("save"));
    QAction* open =
        bar->addAction(barButton(ToolIcon::Open, QStringLiteral("Open")), QStringLiteral("Open"));
    QAction* print = bar->addAction(barButton(ToolIcon::Print, QStringLiteral("Print")),
                                    QStringLiteral("Print"));
    connect(save, &QAction::triggered, this, &CMemListDlg::saveList);
    connect(open, &QAction::triggered, this, &CMemListDlg::openList);
    connect(print, &QAction::triggered, this, &CMemListDlg::printList);
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
    resize(640, 560);
    // Each window opens on a finished download or for a list file: its rows are there at once.
    fillList();
}

void CMemListDlg::fillList() {
    LinkState& f = m_model.frame;
    ViewState& v = m_model.view;
    if (f.m_memEmpty) {
        // Once per opening is enough.
        if (!m_toldEmpty) {
            m_toldEmpty = true;
            QTimer::singleShot(0, this, [this] { m_ui.showMessage(kNoMemoryDataText); });
        }
        return;
    }
    if (!f.m_memWanted && !v.m_memListLoaded) return;
    const std::vector<QStringList> rows = memoryListRows(m_model.doc);
    const int base = m_table->rowCount();
    m_table->setRowCount(base + static_cast<int>(rows.size()));
    for (size_t r = 0; r < rows.size(); ++r)
        for (int c = 0; c < 5; ++c) {
            auto* item = new QTableWidgetItem(rows[r][c]);
            item->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            m_table->setItem(base + static_cast<int>(r), c, item);
        }
    f.m_memWanted = 0;
    v.m_memListLoaded = 0;
}

void CMemListDlg::saveList() {
    saveMemoryList(m_model, m_ui, m_clock.nowSecs());
}

void CMemListDlg::openList() {
    const std::optional<QString> path =
        m_ui.openFileName({Settings::dataFolder(), QString(), kListFilter, kListSuffix});
    if (!path || path->isEmpty()) return;
    m_ui.setWaitCursor(true);
    const OpenOutcome r = openListFile(*path, m_model, m_ui);
    m_ui.setWaitCursor(false);
    if (m_model.view.m_memListLoaded) m_table->setRowCount(0);
    (void)r;
    fillList();
    update();
}

void CMemListDlg::printList() {
    m_ui.printReport(memoryListPages(m_model.doc));
}

}  // namespace km905
