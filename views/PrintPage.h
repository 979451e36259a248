// CPrintPage: the printed sheet of the main form on one page. A date line, the model and the
// eleven options as the form shows them in the language in force, then the channel grid,
// printed row by row by the grid itself. The program's print and print preview and
// `dpmtool print` all draw with it.
#pragma once

#include <QString>

class CDromelPgmDoc;
class CGridCtrl;
class QByteArray;
class QPainter;
class QPaintDevice;
class QPrinter;

class CPrintPage {
public:
    // Left and right margins, in average character widths of the measuring font.
    static constexpr int kMarginChars = 4;

    // The page of doc, whose channels grid shows.
    CPrintPage(const CDromelPgmDoc& doc, CGridCtrl& grid);

    // Measures on the device about to be printed on: the average character width of the
    // measuring font and the printable area, and from them the logical page. Each job
    // measures again, so a change of paper or orientation counts at the next one.
    void BeginPrinting(QPaintDevice& device);

    // Draws the page with painter, which paints on the device measured last. The logical page
    // is scaled to the printable area, keeping its aspect ratio; the painter's state is as
    // before afterwards.
    void Print(QPainter& painter) const;

    // BeginPrinting, then the one page on device. False when device cannot be painted on
    // (a PDF file that cannot be written, an empty image).
    [[nodiscard]] bool PrintOn(QPaintDevice& device);

    // The one page as a PDF document made in memory, with printer's page layout, resolution,
    // title and creator, for the caller to save whole. Each call has a PDF writer of its own, so
    // a job whose file could not be written leaves nothing behind for the next. False when the
    // page cannot be drawn (an empty printable area).
    [[nodiscard]] bool PrintPdf(const QPrinter& printer, QByteArray& pdf);

    int GetCharWidth() const { return m_nCharWidth; }
    // The logical page: its width holds the grid and both margins, its height follows the
    // printable area's aspect, and grows (with the width) when all rows would not fit.
    int GetPageWidth() const { return m_nPageWidth; }
    int GetPageHeight() const { return m_nPageHeight; }

    // The date line: now, as year-month-day, the day's name and the time, in the locale the
    // language file names ([Face] locale), e.g. "2026-12-07 Monday 15:34" in English.
    static QString DateText();

private:
    // The height of everything drawn: 13 text lines and the whole grid.
    int ContentHeight() const;
    void DrawLine(QPainter& painter, const QString& text) const;

    const CDromelPgmDoc& m_doc;
    CGridCtrl& m_grid;

    int m_nMarginLeft = kMarginChars;
    int m_nMarginRight = kMarginChars;
    int m_nCharWidth = 0;
    int m_nDevWidth = 0;
    int m_nDevHeight = 0;
    int m_nPageWidth = 0;
    int m_nPageHeight = 0;
};
