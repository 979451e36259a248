#include "app/AppPaths.h"
#include "app/DromelPgmApp.h"
#include "app/ExitStatus.h"
#include "app/LangString.h"
#include "app/StopSignals.h"

#include <csignal>
#include <cstdio>
#include <cstring>

namespace {

// --help, -h and --version are answered on standard output before any window or display
// is needed; the language file is the one the program would choose by the locale.
bool AnsweredOnTheTerminal(int argc, char* argv[]) {
    for (int i = 1; i < argc && std::strcmp(argv[i], "--") != 0; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::puts("DromelPgm " DROMEL_VERSION);
            return true;
        }
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            SetAppDir(ExecutableDir());
            SetLanguageName(ChooseLanguageName(IsChineseChinaLocale(MessageLocaleName())));
            std::puts(GetLangString("IDS_APP_USAGE").c_str());
            return true;
        }
    }
    return false;
}

} // namespace

int main(int argc, char* argv[]) {
    if (AnsweredOnTheTerminal(argc, argv)) {
        return kExitOk;
    }
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
        return kExitNotStarted;
    }
    return app.exec();
}
