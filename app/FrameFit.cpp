#include "app/FrameFit.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace {

const QMargins kAssumedFrame(2, 24, 2, 2);

} // namespace

QSize CappedClientSize(const QSize& cap, const QRect& available, const QMargins& frame) {
    const QSize room = available.size().shrunkBy(frame);
    return cap.boundedTo(room).expandedTo(QSize(1, 1));
}

QRect CentredClientRect(const QSize& size, const QRect& available, const QMargins& frame) {
    QRect outer(QPoint(0, 0), size.grownBy(frame));
    outer.moveCenter(available.center());
    outer.moveLeft(std::max(outer.left(), available.left()));
    outer.moveTop(std::max(outer.top(), available.top()));
    return outer.marginsRemoved(frame);
}

CFrameFit::CFrameFit(QWidget* window, const QSize& cap)
    : QObject(window), m_pWindow(window), m_cap(cap) {
    window->installEventFilter(this);
}

QScreen* CFrameFit::Screen() const {
    QScreen* screen = m_pWindow->screen();
    return screen ? screen : QGuiApplication::primaryScreen();
}

// What the window manager adds around the client area. Before the window shows, a title
// bar and thin borders are assumed: a window that asks for the whole screen would be taken
// for a full-screen one by some window managers, and lose its title bar.
QMargins CFrameFit::FrameMargins() const {
    const QWindow* handle = m_pWindow->windowHandle();
    return handle && m_pWindow->isVisible() ? handle->frameMargins() : kAssumedFrame;
}

void CFrameFit::ApplyCap() {
    const Qt::WindowStates state = m_pWindow->windowState();
    if (state & (Qt::WindowMaximized | Qt::WindowFullScreen)) {
        m_pWindow->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        return;
    }
    const QScreen* screen = Screen();
    if (screen) {
        m_pWindow->setMaximumSize(
            CappedClientSize(m_cap, screen->availableGeometry(), FrameMargins()));
    }
}

void CFrameFit::Place() {
    ApplyCap();
    m_pWindow->resize(m_pWindow->maximumSize());
    if (const QScreen* screen = Screen()) {
        const QMargins frame = FrameMargins();
        m_pWindow->setGeometry(
            CentredClientRect(m_pWindow->size(), screen->availableGeometry(), frame));
        m_fitted = frame;
        m_placed = m_pWindow->geometry();
    }
}

// The window keeps the place the user gave it; only when the frame turned out other than
// counted with, or the screen's area changed, does it move and shrink back inside.
void CFrameFit::Fit() {
    if (m_pWindow->windowState() != Qt::WindowNoState) {
        ApplyCap();
        return;
    }
    const QScreen* screen = Screen();
    if (!screen) {
        return;
    }
    ApplyCap();
    const QRect available = screen->availableGeometry();
    const QMargins frame = FrameMargins();
    m_fitted = frame;
    // Still as placed: it takes the room the real frame leaves.
    if (m_placed.isValid() && m_pWindow->geometry() == m_placed) {
        m_pWindow->setGeometry(CentredClientRect(m_pWindow->maximumSize(), available, frame));
        m_placed = m_pWindow->geometry();
        return;
    }
    const QRect outer = m_pWindow->geometry().marginsAdded(frame);
    if (!available.contains(outer)) {
        const QSize size = m_pWindow->size().boundedTo(m_pWindow->maximumSize());
        QRect inside(QPoint(0, 0), size.grownBy(frame));
        inside.moveTopLeft(outer.topLeft());
        inside.moveRight(std::min(inside.right(), available.right()));
        inside.moveBottom(std::min(inside.bottom(), available.bottom()));
        inside.moveLeft(std::max(inside.left(), available.left()));
        inside.moveTop(std::max(inside.top(), available.top()));
        m_pWindow->setGeometry(inside.marginsRemoved(frame));
    }
}

bool CFrameFit::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_pWindow) {
        switch (event->type()) {
        case QEvent::Show:
            if (QScreen* screen = Screen()) {
                connect(screen, &QScreen::availableGeometryChanged, this, &CFrameFit::Fit,
                        Qt::UniqueConnection);
            }
            QTimer::singleShot(0, this, &CFrameFit::Fit);
            break;
        case QEvent::Move:
        case QEvent::Resize:
            if (FrameMargins() != m_fitted) {
                QTimer::singleShot(0, this, &CFrameFit::Fit);
            }
            break;
        case QEvent::WindowStateChange:
            ApplyCap();
            break;
        default:
            break;
        }
    }
    return QObject::eventFilter(watched, event);
}
