// Benchmark: paints a 17 x 9 grid laid out like the channel grid, with texts, and scrolls it
// a row at a time from top to bottom and back, painting after every step. Prints the time
// of one full paint and of one scroll step with its paint.
#include "GridTestSupport.h"

#include <QElapsedTimer>
#include <QImage>
#include <QPainter>

#include <cstdio>

namespace {

double Millis(const QElapsedTimer& timer, int count) {
    return static_cast<double>(timer.nsecsElapsed()) / 1e6 / count;
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    CGridCtrl grid;
    grid.resize(700, 260); // shows about ten of the sixteen channel rows
    LayOutChannelGrid(grid);
    grid.SetFocusCell(1, 1);
    grid.show();
    QImage image(grid.viewport()->size(), QImage::Format_RGB32);

    constexpr int paints = 2000;
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < paints; ++i) {
        grid.viewport()->render(&image);
    }
    const double paintMs = Millis(timer, paints);

    constexpr int rounds = 200;
    int steps = 0;
    timer.restart();
    for (int i = 0; i < rounds; ++i) {
        for (int row = 1; row < 16; ++row, ++steps) {
            grid.OnVScroll(CGridCtrl::SB_LINEDOWN);
            grid.viewport()->render(&image);
        }
        for (int row = 1; row < 16; ++row, ++steps) {
            grid.OnVScroll(CGridCtrl::SB_LINEUP);
            grid.viewport()->render(&image);
        }
    }
    const double scrollMs = Millis(timer, steps);

    QImage page(800, 500, QImage::Format_RGB32);
    constexpr int prints = 500;
    timer.restart();
    for (int i = 0; i < prints; ++i) {
        QPainter painter(&page);
        grid.PrintFixedRows(painter);
        for (int row = 1; row < 17; ++row) {
            painter.translate(0, grid.GetRowHeight(row - 1));
            grid.PrintRow(painter, row);
        }
    }
    const double printMs = Millis(timer, prints);

    std::printf("grid 17 x 9, client %d x %d\n", grid.viewport()->width(),
                grid.viewport()->height());
    std::printf("full paint:            %.3f ms (%d paints)\n", paintMs, paints);
    std::printf("scroll one row, paint: %.3f ms (%d steps)\n", scrollMs, steps);
    std::printf("print header + 16 rows: %.3f ms (%d prints)\n", printMs, prints);
    return 0;
}
