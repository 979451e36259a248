#include "app/DromelPgmApp.h"
#include "app/StopSignals.h"

#include <csignal>

int main(int argc, char* argv[]) {
    // A file-size limit then fails a save (File too large) instead of killing the program.
    std::signal(SIGXFSZ, SIG_IGN);
    // SIGINT, SIGTERM and SIGHUP end the program through its event loop (status 128 +
    // signal), so that a transfer stops between two blocks and the port is released.
    CStopSignals stops(true);
    CDromelPgmApp app(argc, argv);
    if (stops.IsCatching()) {
        app.EndOnStopSignal(stops.WakeFd());
    }
    if (!app.InitInstance()) {
        return 1;
    }
    return app.exec();
}
