#include "app/DromelPgmApp.h"

#include <csignal>

int main(int argc, char* argv[]) {
    // A file-size limit then fails a save (File too large) instead of killing the program.
    std::signal(SIGXFSZ, SIG_IGN);
    CDromelPgmApp app(argc, argv);
    if (!app.InitInstance()) {
        return 1;
    }
    return app.exec();
}
