// km905: the desktop companion program of the KM905 light meter.
#include <QApplication>

#include "CMSComm.h"
#include "app/CMainFrame.h"
#include "app/FontSetup.h"
#include "app/QtUserInteraction.h"
#include "app/QuitSignals.h"
#include "link/QtTimerService.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KM905"));
    km905::installFontSubstitutions();
    km905::CMSComm comm;
    km905::QtTimerService timers;
    const auto bridges = km905::makeSystemBridgeLookup();
    km905::QtUserInteraction ui(nullptr);
    km905::CMainFrame frame({comm, timers, *bridges, ui});
    km905::closeOnQuitSignals(&frame);
    frame.showMaximized();
    return app.exec();
}
