#pragma once

#include <QLabel>
#include <QMainWindow>
#include <QTimer>
#include <map>
#include <memory>

#include "app/MainCommands.h"
#include "app/UserInteraction.h"
#include "dialogs/DownloadProgress.h"
#include "files/JournalFile.h"
#include "link/BridgeLookup.h"
#include "link/LinkUi.h"
#include "link/MeterLink.h"
#include "link/PortDiscovery.h"
#include "panel/PanelKeys.h"
#include "realtime/Acquisition.h"
#include "realtime/JournalKeeper.h"

class QAction;

namespace km905 {

class CDTView;
class DeviceWatch;
class CDownloadProgressDlg;
class CMemListDlg;

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
};

// What the frame is built on; production passes the real ones, tests their stand-ins.
struct FrameServices {
    ISerialControl& comm;
    ITimerService& timers;
    const IBridgeLookup& bridges;
    IUserInteraction& ui;
};

// The main window: menu, toolbar, status bar, the serial link and the real-time view.
class CMainFrame : public QMainWindow, private ILinkUi {
    Q_OBJECT
  public:
    explicit CMainFrame(FrameServices services, QWidget* parent = nullptr);
    ~CMainFrame() override;

    MeterModel& model() { return m_model; }
    MeterLink& link() { return m_link; }
    Acquisition& acquisition() { return m_acq; }
    PortDiscovery& discovery() { return m_discovery; }
    MainCommands& commands() { return m_commands; }
    PanelKeys& keys() { return m_keys; }
    CDownloadProgressDlg* progressWindow() const { return m_progressDlg; }
    CMemListDlg* memoryList() const;  // the open memory list window, if any
    void trigger(int id);             // a menu or toolbar command, as a click gives it
    CDTView* view() const { return m_view; }
    QAction* action(int id) const;
    QString statusPane(int pane) const;
    void updateCommands();  // enable states and the port pane, as idle processing does

  protected:
    void closeEvent(QCloseEvent* e) override;
    void showEvent(QShowEvent* e) override;
    bool event(QEvent* e) override;
#ifdef Q_OS_WIN
    bool nativeEvent(const QByteArray& type, void* message, qintptr* result) override;
#endif

  private:
    void createMenus();
    void createToolBar();
    void createStatusBar();
    void onMainTimer(int id);
    void showAbout();
    void closeSequence();
    void offerRestore();  // a journal left by a crash, asked about once at start

    // ILinkUi
    void repaintLcd() override;
    void repaintFace() override;
    void updateAllViews() override;
    void transferInfoBar() override;
    void repaintGraph() override;
    void openProgressWindow() override;
    void repaintProgress() override;
    void showMessage(const QString& text) override;

    FrameServices m_services;
    MeterModel m_model;
    MeterLink m_link;
    Acquisition m_acq;
    PortDiscovery m_discovery;
    MainCommands m_commands;
    PanelKeys m_keys;
    DownloadProgress m_progress;
    CDownloadProgressDlg* m_progressDlg = nullptr;
    std::unique_ptr<DeviceWatch> m_deviceWatch;
    CDTView* m_view = nullptr;
    std::map<int, QAction*> m_actions;
    QLabel* m_panes[3] = {};
    QTimer m_idle;
    bool m_closed = false;
    // The running recording on disk, offered back once after a crash.
    DiskJournalFile m_journalFile{journalPath()};
    JournalKeeper m_journal{m_journalFile};
    bool m_restoreOffered = false;
};

}  // namespace km905
