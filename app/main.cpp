#include "app/DromelPgmApp.h"

int main(int argc, char* argv[]) {
    CDromelPgmApp app(argc, argv);
    if (!app.InitInstance()) {
        return 1;
    }
    return app.exec();
}
