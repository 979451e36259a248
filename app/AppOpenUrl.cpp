#include "app/AppOpenUrl.h"

#include <QDesktopServices>

#include <utility>

namespace {

AppOpenUrlResponder& Responder() {
    static AppOpenUrlResponder responder;
    return responder;
}

} // namespace

bool AppOpenUrl(const QUrl& url) {
    if (Responder()) {
        return Responder()(url);
    }
    return QDesktopServices::openUrl(url);
}

AppOpenUrlResponder SetAppOpenUrlResponder(AppOpenUrlResponder responder) {
    return std::exchange(Responder(), std::move(responder));
}
