// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>
#include <QMainWindow>
#include <QTimer>
#include <deque>
#include <map>
#include <memory>

#include "core/app/MessageQueue.h"
#include "core/logger/OpenChooser.h"
#include "core/session/Session.h"

class QAction;

namespace km905 {

class CDTView;
class CDownloadProgressDlg;
class CMemListDlg;
class CLoggerGraphDlg;

// Command ids of the menu and toolbar.
enum CommandId : int {
    kCmdRun = 32771,
    kCmdStop = 32772,
    kCmdHelp = 32779,
    kCmdUndoZoom = 32811,
    kCmdSave = 32814,
    kCmdDataLogger = 32819,
    kCmdOpen = 32827,
    kCmdMem = 32839,
    kCmdPrint = 57607,
    kCmdAbout = 57664,
    kCmdExit = 57665,
    kCmdExportCsv = 32900,  // the program's own: the UTF-8 export for spreadsheets
};

// What the frame is built on; production passes the real ones, tests their stand-ins.
struct FrameServices {
    ISerialControl& comm;
    ITimerService& timers;
    const IBridgeLookup& bridges;
    IUserInteraction& ui;
    const Settings& settings;  // the data folder and the settings file
    // A port for this run only (km905 --port); the settings file's port is left as it is.
    std::optional<int> port = std::nullopt;
};

// The main window: menu, toolbar, status bar, the serial link and the real-time view.
class CMainFrame : public QMainWindow, private ILinkUi {
    Q_OBJECT
  public:
    explicit CMainFrame(FrameServices services, QWidget* parent = nullptr);
    ~CMainFrame() override;

    Session& session() { return m_session; }
    MeterModel& model() { return m_session.model(); }
    MeterLink& link() { return m_session.link(); }
    Acquisition& acquisition() { return m_session.acquisition(); }
    PortDiscovery& discovery() { return m_session.discovery(); }
    MainCommands& commands() { return m_session.commands(); }
    PanelKeys& keys() { return m_session.keys(); }
    CDownloadProgressDlg* progressWindow() const { return m_progressDlg; }
    CMemListDlg* memoryList() const;        // the open memory list window, if any
    CLoggerGraphDlg* loggerWindow() const;  // the open datalogger graph window, if any
    QDialog* openChooser() const;           // the Open command's chooser while shown
    void trigger(int id);                   // a menu or toolbar command, as a click gives it
    CDTView* view() const { return m_view; }
    QAction* action(int id) const;
    QString statusPane(int pane) const;
    void updateCommands();  // enable states and the port pane, as idle processing does
    // The files the program was started with, each kind in its window, one window after the other.
    void openGivenFiles(const QStringList& paths);

  protected:
    void closeEvent(QCloseEvent* e) override;
    void showEvent(QShowEvent* e) override;

  private:
    void createMenus();
    void createToolBar();
    void createStatusBar();
    void setNormalSize();
    void showAbout();
    void offerRestore();  // a journal left by a crash, asked about once at start
    CMemListDlg* openMemoryList();
    CLoggerGraphDlg* openLoggerWindow();
    void openNextGiven();
    void showOpenChooser();

    // ILinkUi
    void repaintLcd() override;
    void repaintFace() override;
    void updateAllViews() override;
    void transferInfoBar() override;
    void repaintGraph() override;
    void openProgressWindow() override;
    void showMessage(const QString& text) override;
    void showNextMessage();

    FrameServices m_services;
    Session m_session;
    CDownloadProgressDlg* m_progressDlg = nullptr;
    CDTView* m_view = nullptr;
    std::map<int, QAction*> m_actions;
    QLabel* m_panes[3] = {};
    QLabel* m_journalPane = nullptr;  // why the running recording has no journal
    QTimer m_idle;
    bool m_restoreOffered = false;  // a journal left by a crash is offered once
    MessageQueue m_messages;
    std::deque<GivenOpening> m_given;  // the file arguments' windows still to open
};

}  // namespace km905
