// The file dialogs of the program go through these functions, so that tests can choose the
// files without a display.
#pragma once

#include <QString>

#include <functional>

class QWidget;

struct FileDialogRequest {
    bool save = false;     // a file to save to, else an existing file to open
    QString directory;     // folder or suggested file to start with
    QString filter;        // file-type filter, e.g. "Radio Program Data Files(*.dpm)"
    QString defaultSuffix; // added by a save dialog to a name without an extension
};

// Asks for an existing file to open; empty when the user cancels.
QString AppGetOpenFileName(QWidget* parent, const QString& directory, const QString& filter);

// Asks for a file to save to; a name without an extension gets defaultSuffix, and replacing
// an existing file is confirmed in the dialog. Empty when the user cancels.
QString AppGetSaveFileName(QWidget* parent, const QString& directory, const QString& filter,
                           const QString& defaultSuffix);

using AppFileDialogResponder = std::function<QString(const FileDialogRequest&)>;

// Replaces the file dialogs (tests); an empty responder restores them. Returns the responder
// that was in place.
AppFileDialogResponder SetAppFileDialogResponder(AppFileDialogResponder responder);
