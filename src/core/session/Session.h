// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <memory>
#include <optional>

#include "core/app/MainCommands.h"
#include "core/app/Settings.h"
#include "core/app/UserInteraction.h"
#include "core/dialogs/DownloadProgress.h"
#include "core/files/JournalFile.h"
#include "core/link/BridgeLookup.h"
#include "core/link/LinkUi.h"
#include "core/link/MeterLink.h"
#include "core/link/PortDiscovery.h"
#include "core/panel/PanelKeys.h"
#include "core/realtime/Acquisition.h"
#include "core/realtime/JournalKeeper.h"

namespace km905 {

class DeviceWatch;

// What a session is built on; production passes the real ones, tests their stand-ins.
struct SessionServices {
    ISerialControl& comm;
    ITimerService& timers;
    const IBridgeLookup& bridges;
    IUserInteraction& ui;
    ILinkUi& views;            // what the windows do when the link asks
    const Settings& settings;  // the data folder and the settings file
    // Where the running recording is kept; the data folder's journal when none is given.
    IJournalFile* journal = nullptr;
};

// How a program starts its session; the main window takes the defaults.
struct SessionStart {
    // A port chosen by the caller: the settings file is then neither read nor written, and
    // the Y scale keeps its default.
    std::optional<int> port;
    // Look for the meter again when serial devices come and go.
    bool watchDevices = true;
    // The Y scale from the settings file even with a port given: the main window's --port
    // changes the port of one run, nothing else.
    bool yScaleFromSettings = false;
};

// At start: a journal left behind is offered back through the user's yes or no. Yes restores
// it into the model, and its file stays until the restored recording ends normally; No removes
// it. A journal that could not be read is told. True when restored.
bool offerRestore(JournalKeeper& journal, MeterModel& m, IUserInteraction& ui);

// The program's one wiring: the meter model, the link and everything that drives it, every
// window timer routed to its owner, the start and the close sequence.
class Session {
  public:
    explicit Session(SessionServices services);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    const Settings& settings() const { return m_settings; }
    MeterModel& model() { return m_model; }
    MeterLink& link() { return m_link; }
    Acquisition& acquisition() { return m_acq; }
    PortDiscovery& discovery() { return m_discovery; }
    MainCommands& commands() { return m_commands; }
    PanelKeys& keys() { return m_keys; }
    DownloadProgress& progress() { return m_progress; }
    JournalKeeper& journal() { return m_journal; }

    // Settings, the port at 9600,n,8,1 and a first poll, port discovery, the Y scale, the
    // sampling and watchdog timers, the journal. False when the port could not be opened.
    bool start(const SessionStart& how = {});

    // Closing: first the save offer, then, unless its save failed, the close sequence.
    MainCommands::CloseOffer offerSaveBeforeClose();
    // Stops every timer, keeps the port in the settings, ends the meter's link and the
    // journal. Once only.
    void closeSequence();
    bool closed() const { return m_closed; }

    // A journal left by a crash, offered back; true when restored.
    bool offerRestore();
    // Serial devices came or went: look for the meter again a second later, unless closed.
    void devicesChanged() {
        if (!m_closed) m_discovery.schedule();
    }

    // The real-time graph was painted: a Run waiting for it arms the first sampling tick.
    void graphPainted() { m_acq.armFirstTickIfPending(); }

    // The zoom drag watch: view timer 3 runs while a drag is watched and ticks the callback.
    void setDragWatch(bool on);
    std::function<void()> onDragWatchTick;
    // The datalogger window's timers, for the window that owns them.
    std::function<void(int id)> onLoggerTimer;
    // The long log's ticks, for the log that owns them.
    std::function<void(int id)> onLiveLogTimer;

  private:
    // What the link asks of the windows, with the progress window's part kept here: a
    // download ends through that window's paint, shown or not.
    class LinkUiRelay : public ILinkUi {
      public:
        explicit LinkUiRelay(ILinkUi& views) : m_views(views) {}
        void setProgress(DownloadProgress* p) { m_progress = p; }
        void repaintLcd() override { m_views.repaintLcd(); }
        void repaintFace() override { m_views.repaintFace(); }
        void updateAllViews() override { m_views.updateAllViews(); }
        void transferInfoBar() override { m_views.transferInfoBar(); }
        void repaintProgress() override;
        void openProgressWindow() override;
        void repaintGraph() override { m_views.repaintGraph(); }
        void logBytesStored() override { m_views.logBytesStored(); }
        void showMessage(const QString& text) override { m_views.showMessage(text); }

      private:
        ILinkUi& m_views;
        DownloadProgress* m_progress = nullptr;
    };

    void routeTimers();
    void onMainFrameTimer(int id);
    void onViewTimer(int id);

    ISerialControl& m_comm;
    ITimerService& m_timers;
    IUserInteraction& m_ui;
    const Settings& m_settings;
    std::unique_ptr<IJournalFile> m_ownJournalFile;
    MeterModel m_model;
    LinkUiRelay m_linkUi;
    MeterLink m_link;
    Acquisition m_acq;
    PortDiscovery m_discovery;
    MainCommands m_commands;
    PanelKeys m_keys;
    DownloadProgress m_progress;
    JournalKeeper m_journal;
    std::unique_ptr<DeviceWatch> m_deviceWatch;
    bool m_portInSettings = true;
    bool m_closed = false;
};

}  // namespace km905
