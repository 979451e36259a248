#include "app/AppMessageBox.h"

#include <QApplication>
#include <QMainWindow>
#include <QMessageBox>

#include <utility>

namespace {

AppMessageBoxResponder& Responder() {
    static AppMessageBoxResponder responder;
    return responder;
}

QMessageBox::Icon IconOf(int style) {
    switch (style & 0xF0) {
    case MB_ICONHAND:
        return QMessageBox::Critical;
    case MB_ICONQUESTION:
        return QMessageBox::Question;
    case MB_ICONEXCLAMATION:
        return QMessageBox::Warning;
    case MB_ICONASTERISK:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

// The window the box belongs to: the modal dialog the user is in, else the active window,
// else the main window. A box without an owner is placed anywhere and, once closed, leaves
// the keyboard with no window of the program.
QWidget* BoxOwner() {
    if (QWidget* modal = QApplication::activeModalWidget()) {
        return modal;
    }
    if (QWidget* active = QApplication::activeWindow()) {
        return active;
    }
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (qobject_cast<QMainWindow*>(window) && window->isVisible()) {
            return window;
        }
    }
    return nullptr;
}

int ShowMessageBox(const QString& text, const QString& caption, int style) {
    QMessageBox box(IconOf(style), caption.isEmpty() ? QApplication::applicationName() : caption,
                    text, QMessageBox::NoButton, BoxOwner());
    switch (style & 0x0F) {
    case MB_OKCANCEL:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    case MB_YESNOCANCEL:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    case MB_YESNO:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setEscapeButton(QMessageBox::No);
        break;
    default:
        box.setStandardButtons(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Ok);
        break;
    }
    if ((style & MB_DEFBUTTON2) != 0) {
        box.setDefaultButton((style & 0x0F) == MB_OKCANCEL ? QMessageBox::Cancel : QMessageBox::No);
    }
    box.exec();
    switch (box.standardButton(box.clickedButton())) {
    case QMessageBox::Yes:
        return IDYES;
    case QMessageBox::No:
        return IDNO;
    case QMessageBox::Cancel:
        return IDCANCEL;
    default:
        return IDOK;
    }
}

} // namespace

int AppMessageBox(const QString& text, const QString& caption, int style) {
    if (Responder()) {
        return Responder()(text, caption, style);
    }
    return ShowMessageBox(text, caption, style);
}

AppMessageBoxResponder SetAppMessageBoxResponder(AppMessageBoxResponder responder) {
    return std::exchange(Responder(), std::move(responder));
}
