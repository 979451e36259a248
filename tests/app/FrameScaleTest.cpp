// The main window on a 1366 x 768 screen at the scale factor this process runs with
// (QT_SCALE_FACTOR, one process per factor): it opens wholly inside the screen's available
// area, its cap never exceeds that area, and maximised it fills the area.
#include "app/FrameFit.h"
#include "app/MainFrm.h"
#include "grid/PaletteColours.h"

#include "CommandFixture.h"

#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QToolBar>

TEST(FrameScale, CappedClientSizeAndPlacementKeepTheFrameInside) {
    const QRect available(0, 0, 910, 512);
    const QMargins frame(2, 24, 2, 2);
    EXPECT_EQ(CappedClientSize(QSize(750, 600), available, frame), QSize(750, 486));
    EXPECT_EQ(CappedClientSize(QSize(750, 600), QRect(0, 0, 1366, 768), frame), QSize(750, 600));
    const QRect client = CentredClientRect(QSize(750, 486), available, frame);
    EXPECT_EQ(client.marginsAdded(frame), QRect(78, 0, 754, 512));
    // Too large to fit: the top-left corner, with the title bar, stays on the screen.
    EXPECT_EQ(CentredClientRect(QSize(2000, 2000), QRect(10, 20, 910, 512), frame).topLeft(),
              QPoint(12, 44));
}

class FrameOnScreen : public SetupCommands {};

TEST_F(FrameOnScreen, InsideTheAvailableAreaAndMaximisedFillsIt) {
    ASSERT_TRUE(Start(""));
    CMainFrame& frame = Frame();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    QApplication::processEvents();
    const QRect available = frame.screen()->availableGeometry();
    SCOPED_TRACE(qPrintable(QStringLiteral("scale %1, available %2x%3")
                                .arg(qgetenv("QT_SCALE_FACTOR").constData())
                                .arg(available.width())
                                .arg(available.height())));
    const double scale = qEnvironmentVariableIsSet("QT_SCALE_FACTOR")
                             ? qEnvironmentVariable("QT_SCALE_FACTOR").toDouble()
                             : 1.0;
    EXPECT_NEAR(frame.screen()->geometry().width(), 1366 / scale, 1);
    EXPECT_NEAR(frame.screen()->geometry().height(), 768 / scale, 1);
    EXPECT_TRUE(available.contains(frame.frameGeometry()));
    EXPECT_LE(frame.maximumWidth(), std::min(750, available.width()));
    EXPECT_LE(frame.maximumHeight(), std::min(600, available.height()));
    EXPECT_EQ(frame.size(), frame.maximumSize()); // as large as the cap lets it be

    // Dragged larger than the cap, it stays at the cap.
    frame.resize(2000, 2000);
    EXPECT_EQ(frame.size(), frame.maximumSize());

    // The form scrolls where it does not fit.
    auto* scroll = qobject_cast<QScrollArea*>(frame.centralWidget());
    ASSERT_NE(scroll, nullptr);
    const QSize form = frame.FormView()->size();
    EXPECT_EQ(scroll->verticalScrollBar()->maximum() > 0,
              scroll->viewport()->height() < form.height());

    frame.showMaximized();
    QTest::qWait(50);
    // Within the pixel a fractional scale factor rounds away.
    const QRect maximised = frame.frameGeometry();
    EXPECT_EQ(maximised.topLeft(), available.topLeft());
    EXPECT_NEAR(maximised.width(), available.width(), 1);
    EXPECT_NEAR(maximised.height(), available.height(), 1);
    frame.showNormal();
    QApplication::processEvents();
    EXPECT_LE(frame.height(), std::min(600, available.height()));
}

// The strongest contrast an opaque pixel of the About button's picture has against the
// toolbar; the picture is ink alone, so it tells whether the ink suits the toolbar.
double AboutIconContrast(CMainFrame& frame, qreal scale) {
    QAction* about = frame.CommandAction(57664);
    const QColor window = frame.palette().color(QPalette::Window);
    const QImage image = about->icon().pixmap(QSize(16, 15), scale).toImage();
    double best = 1.0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (pixel.alpha() == 255) {
                best = std::max(best, ContrastRatio(pixel, window));
            }
        }
    }
    return best;
}

TEST_F(FrameOnScreen, ToolbarPicturesAreSharpAtTwiceAndReadableOnADarkToolbar) {
    ASSERT_TRUE(Start(""));
    CMainFrame& frame = Frame();
    EXPECT_EQ(frame.CommandAction(57664)->icon().pixmap(QSize(16, 15), 2.0).size(), QSize(32, 30));
    EXPECT_GE(AboutIconContrast(frame, 1.0), kTextContrast);
    QPalette dark = frame.palette();
    dark.setColor(QPalette::Window, QColor(34, 32, 32));
    dark.setColor(QPalette::WindowText, Qt::white);
    frame.setPalette(dark);
    EXPECT_GE(AboutIconContrast(frame, 1.0), kTextContrast);
    EXPECT_GE(AboutIconContrast(frame, 2.0), kTextContrast);
    frame.setPalette(QPalette());
}
