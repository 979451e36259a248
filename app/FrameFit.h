// Keeps a main window wholly inside the available area of its screen at any scale factor:
// its size cap (in logical pixels) never exceeds that area less the window manager's frame,
// it opens centred inside the area, and it moves back inside once the frame's real margins
// are known or the area changes. A maximised window has no cap, so it fills the screen.
#pragma once

#include <QMargins>
#include <QObject>
#include <QRect>
#include <QSize>

class QScreen;
class QWidget;

// The largest client size of a window capped at cap whose frame (margins) fits available.
QSize CappedClientSize(const QSize& cap, const QRect& available, const QMargins& frame);

// The client rectangle of a window of client size whose frame sits centred inside available,
// its top-left corner kept inside when it does not fit.
QRect CentredClientRect(const QSize& size, const QRect& available, const QMargins& frame);

class CFrameFit : public QObject {
public:
    // window starts at cap (or what of it fits) and may not grow beyond it.
    CFrameFit(QWidget* window, const QSize& cap);

    // Gives the window its cap and size for its screen, centred.
    void Place();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Fit();
    void ApplyCap();
    QScreen* Screen() const;
    QMargins FrameMargins() const;

    QWidget* m_pWindow;
    QSize m_cap;
    QMargins m_fitted; // the frame margins the last fit counted with
    QRect m_placed;    // the geometry placing gave it, while the user has not changed it
};
