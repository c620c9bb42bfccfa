// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/CMainFrame.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

#include "core/app/CommandState.h"
#include "core/app/PortStatus.h"
#include "core/link/PortNames.h"
#include "core/logger/OpenChooser.h"
#include "ui/app/DialogFrame.h"
#include "ui/app/ToolbarIcons.h"
#include "ui/dialogs/CDownloadProgressDlg.h"
#include "ui/dialogs/CStatsBar.h"
#include "ui/logger/CLoggerGraphDlg.h"
#include "ui/memlist/CMemListDlg.h"
#include "ui/panel/CMeterPanelDlg.h"
#include "ui/realtime/CDTView.h"
#include "ui/realtime/CRealTimeInfoBar.h"

namespace km905 {

CMainFrame::CMainFrame(FrameServices services, QWidget* parent)
    : QMainWindow(parent),
      m_services(services),
      m_session({services.comm, services.timers, services.bridges, services.ui, *this,
                 services.settings}) {
    setWindowTitle(QStringLiteral("KM905"));
    setWindowIcon(toolIcon(ToolIcon::Program));
    createMenus();
    createToolBar();
    createStatusBar();

    m_progressDlg = new CDownloadProgressDlg(m_session.progress(), this);
    m_session.progress().onMemoryDone = [this] { openMemoryList(); };
    // Called only when the download delivered bytes.
    m_session.progress().onLoggerDone = [this] { openLoggerWindow(); };

    m_view = new CDTView(model(), this);
    setCentralWidget(m_view);
    setNormalSize();
    m_view->onPainted = [this] { m_session.graphPainted(); };
    m_view->onDragWatch = [this](bool on) { m_session.setDragWatch(on); };
    m_session.onDragWatchTick = [this] { m_view->dragWatchTick(); };
    m_view->onStatusTexts = [this](const QString& t, const QString& d) {
        m_panes[1]->setText(t);
        m_panes[2]->setText(d);
    };
    m_session.journal().onFailed = [this](const QString& text) {
        // A box the user cannot miss, and a line that stays until the program closes.
        m_journalPane->setText(text);
        m_journalPane->show();
        showMessage(text);
    };
    m_view->meterPanel()->onKey = [this](int id, bool twice) {
        twice ? m_session.keys().doubleClick(id) : m_session.keys().click(id);
    };
    m_view->meterPanel()->onKeyboardKey = [this](int id) {
        m_session.keys().keyboardPress(id, QApplication::doubleClickInterval());
    };
    connect(m_view->infoBar()->yAxisButton(), &QPushButton::clicked, this,
            [this] { m_session.commands().yAxis(); });
    for (int id : {kCmdRun, kCmdStop, kCmdSave, kCmdExportCsv, kCmdHelp, kCmdPrint, kCmdUndoZoom,
                   kCmdMem, kCmdDataLogger, kCmdOpen})
        connect(m_actions.at(id), &QAction::triggered, this, [this, id] { trigger(id); });

    m_session.start({.port = services.port, .yScaleFromSettings = true});

    connect(&m_idle, &QTimer::timeout, this, &CMainFrame::updateCommands);
    m_idle.start(250);
    updateCommands();
}

CMainFrame::~CMainFrame() = default;

// The program starts maximised; un-maximised it takes this size, never one too small for the
// meter panel (its body is 220 x 620) and the graph beside it.
void CMainFrame::setNormalSize() {
    m_view->setMinimumSize(840, 640);  // the bars beside the panel are 600 wide
    QSize normal(1280, 860);
    if (const QScreen* s = screen()) normal = normal.boundedTo(s->availableGeometry().size() * 0.9);
    resize(normal.expandedTo(minimumSizeHint()));
}

QAction* CMainFrame::action(int id) const {
    auto it = m_actions.find(id);
    return it == m_actions.end() ? nullptr : it->second;
}

QString CMainFrame::statusPane(int pane) const {
    return pane >= 0 && pane < 3 ? m_panes[pane]->text() : QString();
}

void CMainFrame::createMenus() {
    auto add = [this](QMenu* menu, int id, const QString& text) {
        QAction* a = menu->addAction(text);
        m_actions[id] = a;
        return a;
    };
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File(F)"));
    add(file, kCmdSave, QStringLiteral("&Save"));
    add(file, kCmdExportCsv, QStringLiteral("Export &CSV for spreadsheets..."));
    add(file, kCmdOpen, QStringLiteral("&Open"));
    add(file, kCmdPrint, QStringLiteral("&Print"));
    connect(add(file, kCmdExit, QStringLiteral("&Exit")), &QAction::triggered, this,
            &QWidget::close);

    QMenu* rt = menuBar()->addMenu(QStringLiteral("&RealTime(R)"));
    add(rt, kCmdRun, QStringLiteral("&Run"));
    rt->addSeparator();
    add(rt, kCmdStop, QStringLiteral("&Stop"));
    add(rt, kCmdUndoZoom, QStringLiteral("&UndoZoom"));
    add(rt, kCmdDataLogger, QStringLiteral("&Data Logger(D)"));
    add(rt, kCmdMem, QStringLiteral("&Mem(M)"));

    // The standard accelerators of the commands that exist.
    m_actions.at(kCmdSave)->setShortcut(QKeySequence::Save);
    m_actions.at(kCmdOpen)->setShortcut(QKeySequence::Open);
    m_actions.at(kCmdPrint)->setShortcut(QKeySequence::Print);
    // The keys a Linux user tries first, besides the menus.
    m_actions.at(kCmdRun)->setShortcut(Qt::Key_F5);
    m_actions.at(kCmdStop)->setShortcut(Qt::SHIFT | Qt::Key_F5);
    m_actions.at(kCmdExit)->setShortcut(Qt::CTRL | Qt::Key_Q);
    // Ctrl+Q quits from the help window too; a modal dialog still blocks it.
    m_actions.at(kCmdExit)->setShortcutContext(Qt::ApplicationShortcut);

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help(H)"));
    connect(add(help, kCmdAbout, QStringLiteral("&About KM905...")), &QAction::triggered, this,
            &CMainFrame::showAbout);
    help->addSeparator();
    add(help, kCmdHelp, QStringLiteral("&Contents"))->setShortcut(Qt::Key_F1);
}

void CMainFrame::createToolBar() {
    QToolBar* bar = addToolBar(QStringLiteral("Standard"));
    bar->setObjectName(QStringLiteral("toolbar"));
    bar->setMovable(true);
    bar->setIconSize(QSize(20, 20));
    const std::pair<int, std::pair<ToolIcon, const char*>> buttons[] = {
        {kCmdSave, {ToolIcon::Save, "Save"}},    {kCmdOpen, {ToolIcon::Open, "Open"}},
        {kCmdRun, {ToolIcon::Run, "Start"}},     {kCmdStop, {ToolIcon::Stop, "Stop"}},
        {kCmdPrint, {ToolIcon::Print, "Print"}}, {kCmdUndoZoom, {ToolIcon::UndoZoom, "UndoZoom"}},
        {kCmdHelp, {ToolIcon::Help, "Help"}},
    };
    for (const auto& [id, look] : buttons) {
        QAction* a = m_actions.at(id);
        a->setIcon(toolIcon(look.first));
        a->setToolTip(QString::fromLatin1(look.second));
        a->setStatusTip(QString::fromLatin1(look.second));
        bar->addAction(a);
        bar->addSeparator();
    }
}

void CMainFrame::createStatusBar() {
    for (int i = 0; i < 3; ++i) {
        m_panes[i] = new QLabel(this);
        m_panes[i]->setFrameShape(QFrame::StyledPanel);
        m_panes[i]->setFrameShadow(QFrame::Sunken);
    }
    m_panes[0]->setObjectName(QStringLiteral("portPane"));
    m_panes[0]->setMinimumWidth(150);
    m_panes[1]->setFixedWidth(150);
    m_panes[2]->setFixedWidth(300);
    // Fly-by help and other passing messages take the space on the left; the port and why it
    // cannot be opened stay in sight beside it.
    m_journalPane = new QLabel(this);
    m_journalPane->setObjectName(QStringLiteral("journalPane"));
    m_journalPane->hide();
    statusBar()->addPermanentWidget(m_journalPane);
    statusBar()->addPermanentWidget(m_panes[0]);
    statusBar()->addPermanentWidget(m_panes[1]);
    statusBar()->addPermanentWidget(m_panes[2]);
}

void CMainFrame::trigger(int id) {
    // A clicked button may be disabled under the pointer and never see it leave: its tip
    // goes as it would on leaving.
    statusBar()->clearMessage();
    switch (id) {
        case kCmdRun:
            m_session.commands().run();
            break;
        case kCmdStop:
            m_session.commands().stop();
            break;
        case kCmdSave:
            m_session.commands().save();
            break;
        case kCmdExportCsv:
            m_session.commands().exportCsv();
            break;
        case kCmdPrint:
            m_session.commands().print();
            break;
        case kCmdUndoZoom:
            m_view->undoZoom();
            break;
        case kCmdMem:
            m_session.link().startMemDownload();
            break;
        case kCmdDataLogger:
            m_session.link().startLogDownload();
            break;
        case kCmdOpen:
            showOpenChooser();
            break;
        case kCmdHelp:
            m_session.commands().help(QCoreApplication::applicationDirPath());
            break;
        case kCmdExit:
            close();
            return;
        default:
            return;
    }
    m_view->invalidateGraph();
    updateCommands();
}

void CMainFrame::updateCommands() {
    const CommandState c = commandState(model(), m_view->graphState());
    const std::pair<int, bool> rules[] = {
        {kCmdSave, c.save},
        {kCmdOpen, c.open},
        {kCmdPrint, c.print},
        {kCmdRun, c.run},
        {kCmdStop, c.stop},
        {kCmdUndoZoom, c.undoZoom},
        {kCmdDataLogger, c.dataLogger},
        {kCmdMem, c.mem},
        {kCmdHelp, true},
        {kCmdAbout, true},
        {kCmdExit, true},
        {kCmdExportCsv, c.exportCsv},
    };
    for (const auto& [id, on] : rules) m_actions.at(id)->setEnabled(on);
    const int port = model().frame.m_comPort;
    const QString openError = m_services.comm.lastOpenError();
    // The rule's folders are looked at only when the port was refused.
    QString portText =
        portStatusText(port, portDeviceName(port), openError,
                       openError == QLatin1String("Permission denied") && udevRuleInstalled());
    const std::optional<QString> drift = meterClockDriftText(
        model().frame, model().view.m_linkDown == 0, m_services.timers.nowSecs());
    if (drift) portText += QStringLiteral("   ") + *drift;
    m_panes[0]->setText(portText);
}

void CMainFrame::showAbout() {
    QDialog d(this);
    d.setWindowTitle(QStringLiteral("About KM905"));
    setDialogFrame(&d);
    auto* layout = new QVBoxLayout(&d);
    auto* row = new QHBoxLayout;
    auto* icon = new QLabel(&d);
    icon->setPixmap(toolIcon(ToolIcon::Program).pixmap(32, 32));
    row->addWidget(icon);
    auto* texts = new QVBoxLayout;
    texts->addWidget(new QLabel(QStringLiteral("KM905 Version 2.3.3"), &d));
    texts->addWidget(new QLabel(QStringLiteral("Companion program of the KM905 light meter"), &d));
    row->addLayout(texts);
    layout->addLayout(row);
    auto* ok = new QDialogButtonBox(QDialogButtonBox::Ok, &d);
    connect(ok, &QDialogButtonBox::accepted, &d, &QDialog::accept);
    layout->addWidget(ok);
    d.exec();
}

void CMainFrame::closeEvent(QCloseEvent* e) {
    // The save offer comes first: a recording whose save failed or was cancelled keeps the
    // window open, with the link still running.
    const MainCommands::CloseOffer offer = m_session.offerSaveBeforeClose();
    if (offer == MainCommands::CloseOffer::SaveFailed ||
        offer == MainCommands::CloseOffer::Cancelled) {
        e->ignore();
        return;
    }
    // Windows of their own (help, lists) go with the main window: one left open would keep
    // the program running with no main window.
    for (QWidget* w : findChildren<QWidget*>())
        if (w->isWindow() && w->isVisible()) w->close();
    m_session.closeSequence();
    m_idle.stop();
    e->accept();
}

void CMainFrame::showEvent(QShowEvent* e) {
    QMainWindow::showEvent(e);
    if (m_restoreOffered) return;
    m_restoreOffered = true;
    // Asked once the window is on screen, outside the show.
    QMetaObject::invokeMethod(this, &CMainFrame::offerRestore, Qt::QueuedConnection);
}

void CMainFrame::offerRestore() {
    if (!m_session.offerRestore()) return;
    m_view->invalidateGraph();
    m_view->infoBar()->transfer();
    updateCommands();
}

// Guarded for calls while the frame is still being built.
void CMainFrame::repaintLcd() {
    if (m_view) m_view->meterPanel()->repaintLcd();
}
void CMainFrame::repaintFace() {
    if (m_view) m_view->meterPanel()->repaintFace();
}
void CMainFrame::updateAllViews() {
    if (m_view) m_view->invalidateGraph();
}
void CMainFrame::transferInfoBar() {
    if (!m_view) return;
    m_view->infoBar()->transfer();
    // The statistics follow every live frame, not only the sampled ones that repaint the graph.
    m_view->statsBar()->transfer();
}
void CMainFrame::openProgressWindow() {
    if (m_progressDlg) m_progressDlg->showForDownload();
}

CMemListDlg* CMainFrame::openMemoryList() {
    auto* list =
        new CMemListDlg(model(), m_services.ui, m_services.timers, m_services.settings, this);
    list->setObjectName(QStringLiteral("memoryList"));
    list->open();
    return list;
}

CLoggerGraphDlg* CMainFrame::openLoggerWindow() {
    // Window-modal without blocking: serial events and timers go on behind it.
    auto* dlg =
        new CLoggerGraphDlg(model(), m_services.ui, m_services.timers, m_services.settings, this);
    dlg->setObjectName(QStringLiteral("loggerWindow"));
    // Ticks after the window is gone find no one.
    QPointer<CLoggerGraphDlg> alive(dlg);
    m_session.onLoggerTimer = [alive](int id) {
        if (alive) alive->timerTick(id);
    };
    dlg->open();
    return dlg;
}

void CMainFrame::showOpenChooser() {
    auto* chooser = new QDialog(this);
    chooser->setObjectName(QStringLiteral("openChooser"));
    chooser->setAttribute(Qt::WA_DeleteOnClose);
    chooser->setWindowTitle(kChooserTitle);
    setDialogFrame(chooser);
    auto* layout = new QVBoxLayout(chooser);
    const std::pair<ChooserButton, const QString*> buttons[] = {
        {ChooserButton::ListFile, &kOpenListButtonText},
        {ChooserButton::GraphFile, &kOpenGraphButtonText}};
    for (const auto& [which, text] : buttons) {
        auto* b = new QPushButton(*text, chooser);
        b->setObjectName(which == ChooserButton::ListFile ? QStringLiteral("openListButton")
                                                          : QStringLiteral("openGraphButton"));
        layout->addWidget(b);
        connect(b, &QPushButton::clicked, this, [this, chooser, which = which] {
            chooser->accept();
            const WindowToOpen next =
                chooseAndOpen(m_services.settings, which, model(), m_services.ui);
            if (next == WindowToOpen::MemoryList) openMemoryList();
            if (next == WindowToOpen::Datalogger) openLoggerWindow();
            updateCommands();
        });
    }
    chooser->open();
}

void CMainFrame::openGivenFiles(const QStringList& paths) {
    for (GivenOpening& o : planGivenFiles(paths)) m_given.push_back(std::move(o));
    openNextGiven();
}

void CMainFrame::openNextGiven() {
    while (!m_given.empty()) {
        GivenOpening o = std::move(m_given.front());
        m_given.pop_front();
        const WindowToOpen next = openFirstGiven(o, model(), m_services.ui);
        QDialog* shown = nullptr;
        if (next == WindowToOpen::MemoryList) shown = openMemoryList();
        if (next == WindowToOpen::Datalogger) {
            CLoggerGraphDlg* dlg = openLoggerWindow();
            dlg->openFiles(o.paths);
            shown = dlg;
        }
        updateCommands();
        // Both windows are modal: the next opens once this one is closed.
        if (shown) {
            connect(shown, &QDialog::finished, this, &CMainFrame::openNextGiven,
                    Qt::QueuedConnection);
            return;
        }
    }
}

CLoggerGraphDlg* CMainFrame::loggerWindow() const {
    return findChild<CLoggerGraphDlg*>(QStringLiteral("loggerWindow"));
}

QDialog* CMainFrame::openChooser() const {
    return findChild<QDialog*>(QStringLiteral("openChooser"));
}

CMemListDlg* CMainFrame::memoryList() const {
    return findChild<CMemListDlg*>(QStringLiteral("memoryList"));
}

void CMainFrame::repaintGraph() {
    if (m_view) m_view->invalidateGraph();
}

void CMainFrame::showMessage(const QString& text) {
    // Shown once the event that raised it has finished, so no handler runs inside another.
    if (m_messages.post(text))
        QMetaObject::invokeMethod(this, &CMainFrame::showNextMessage, Qt::QueuedConnection);
}

void CMainFrame::showNextMessage() {
    const std::optional<QString> text = m_messages.next();
    if (!text) return;
    m_services.ui.showMessage(*text);
    if (m_messages.closed())
        QMetaObject::invokeMethod(this, &CMainFrame::showNextMessage, Qt::QueuedConnection);
}

}  // namespace km905
