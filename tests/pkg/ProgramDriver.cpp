// Preloaded (LD_PRELOAD) into an installed DromelPgm by the package test, which has no other
// way into a program it did not build. Once the main window is up it presses the toolbar
// buttons named in DROMEL_DRIVE_PRESS (command ids, comma-separated) as a user would, writes
// what the window shows to the file DROMEL_DRIVE_REPORT and closes the window, so that the
// program ends by itself:
//   menus=<the menu bar's titles, separated by "|">
//   port=<the port pane of the status bar>
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kPollMs = 50;
constexpr int kGiveUpPolls = 600; // the window did not come up within 30 s

QMainWindow* FindMainWindow() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* window = qobject_cast<QMainWindow*>(widget);
        if (window != nullptr && window->isVisible()) {
            return window;
        }
    }
    return nullptr;
}

bool PressToolButton(QMainWindow* window, int id) {
    for (QToolBar* bar : window->findChildren<QToolBar*>()) {
        for (QAction* action : bar->actions()) {
            QWidget* button = bar->widgetForAction(action);
            if (action->data().toInt() == id && button != nullptr) {
                QTest::mouseClick(button, Qt::LeftButton);
                return true;
            }
        }
    }
    return false;
}

void Fail(const char* message) {
    std::fprintf(stderr, "program driver: %s\n", message);
    std::_Exit(90);
}

void Drive(QMainWindow* window) {
    const QStringList presses =
        QString::fromLocal8Bit(qgetenv("DROMEL_DRIVE_PRESS")).split(u',', Qt::SkipEmptyParts);
    for (const QString& id : presses) {
        if (!PressToolButton(window, id.toInt())) {
            Fail("no toolbar button with that command id");
        }
    }
    QStringList menus;
    for (QAction* menu : window->menuBar()->actions()) {
        menus << menu->text();
    }
    auto* port = window->findChild<QLabel*>(QStringLiteral("portPane"));
    QFile report(QString::fromLocal8Bit(qgetenv("DROMEL_DRIVE_REPORT")));
    if (!report.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        Fail("cannot write the report");
    }
    report.write("menus=" + menus.join(u'|').toUtf8() + "\n");
    report.write("port=" + (port != nullptr ? port->text().toUtf8() : QByteArray()) + "\n");
    report.close();
    window->close();
}

void Poll(int polls) {
    if (QMainWindow* window = FindMainWindow()) {
        Drive(window);
        return;
    }
    if (polls >= kGiveUpPolls) {
        Fail("the main window did not appear");
    }
    QTimer::singleShot(kPollMs, [polls] { Poll(polls + 1); });
}

void StartDriver() {
    if (qEnvironmentVariableIsSet("DROMEL_DRIVE_REPORT")) {
        QTimer::singleShot(0, [] { Poll(0); });
    }
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(StartDriver)
