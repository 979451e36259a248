// Every message box of the program goes through AppMessageBox, so that tests can answer
// the boxes without a display.
#pragma once

#include <QString>

#include <functional>

// Buttons (the low four bits of the style).
constexpr int MB_OK = 0x0;
constexpr int MB_OKCANCEL = 0x1;
constexpr int MB_YESNOCANCEL = 0x3;
constexpr int MB_YESNO = 0x4;
// Icons.
constexpr int MB_ICONHAND = 0x10;
constexpr int MB_ICONQUESTION = 0x20;
constexpr int MB_ICONEXCLAMATION = 0x30;
constexpr int MB_ICONASTERISK = 0x40;
// The default button (the one Enter presses): the first unless this names the second.
constexpr int MB_DEFBUTTON2 = 0x100;

// The button that closed the box.
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

// Shows a modal box with the text, the caption (the program's name when empty) and the
// buttons and icon of style; returns the button pressed. Esc answers IDCANCEL when the box
// has a Cancel button, IDNO for Yes/No and IDOK for a lone OK.
int AppMessageBox(const QString& text, const QString& caption, int style);

// Who answers the boxes: receives text, caption and style, returns the button.
using AppMessageBoxResponder = std::function<int(const QString&, const QString&, int)>;

// Replaces the responder (tests); an empty responder restores the real message box.
// Returns the responder that was in place.
AppMessageBoxResponder SetAppMessageBoxResponder(AppMessageBoxResponder responder);
