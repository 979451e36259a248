// Every address the program hands to the desktop (a web page, a help file for the
// desktop's own viewer) goes through AppOpenUrl, so that tests can see the call and no test
// starts another program.
#pragma once

#include <QUrl>

#include <functional>

// Opens url with the desktop's handler for it; false when the desktop could not.
bool AppOpenUrl(const QUrl& url);

// Who opens the addresses: receives the address, returns whether it was opened.
using AppOpenUrlResponder = std::function<bool(const QUrl&)>;

// Replaces the responder (tests); an empty responder restores the desktop's handler.
// Returns the responder that was in place.
AppOpenUrlResponder SetAppOpenUrlResponder(AppOpenUrlResponder responder);
