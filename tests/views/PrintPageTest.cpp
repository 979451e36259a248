// The printed page of the main form: where each line goes on portrait and landscape pages,
// what the option lines say, clipping, PDF output, the print and preview commands.
#include "ViewFixture.h"

#include "PdfFile.h"
#include "RecordingDevice.h"

#include "app/AppClock.h"
#include "grid/CellMarks.h"
#include "grid/GridTestSupport.h"
#include "views/PrintPage.h"

#include <QImage>
#include <QPdfWriter>
#include <QPrintPreviewWidget>
#include <QPrinter>

#include <cmath>
#include <csignal>
#include <cstdio>
#include <ctime>
#include <map>
#include <sys/resource.h>

namespace {

constexpr int kLineHeight = 22;
constexpr int kGridTop = 13 * kLineHeight; // date, model and eleven option lines
constexpr int kFirstRowTop = kGridTop + kLineHeight;
constexpr int kRowHeight = 20;
constexpr int kLines = 14 + 16; // 13 text lines, the grid's header and 16 rows

class PrintPageTest : public ViewTest {
protected:
    void SetUp() override {
        ViewTest::SetUp();
        std::tm local{};
        local.tm_year = 2024 - 1900;
        local.tm_mon = 2;
        local.tm_mday = 5;
        local.tm_hour = 14;
        local.tm_min = 7;
        local.tm_isdst = -1;
        const AppTimePoint now = std::chrono::system_clock::from_time_t(std::mktime(&local));
        SetAppClock([now] { return now; });
    }
    void TearDown() override { SetAppClock({}); }

    // Beep tone on, battery save off, wired clone on, time-out timer 60 s, squelch level 5;
    // channels 1 and 3 in use.
    void FillDocument() {
        m_doc.SetBeepTone(true);
        m_doc.SetTimeOutTimer(2);
        m_doc.SetSquelchLevel(5);
        m_doc.SetBatterySave(false);
        m_doc.SetWiredClone(true);
        SetChannel(1, "446.00625", "446.00625");
        SetChannel(3, "430.12500", "431.00000");
        m_view->OnUpdate();
    }

    // The page on a recording device of width x height; the texts by line: 0 the date, 1 the
    // model, 2..12 the options, 13 the grid's header, 14..29 the rows 1 to 16. Each text is
    // placed by its baseline on the logical page, undoing the page's scale.
    std::map<int, QStringList> PrintLines(int width, int height) {
        CRecordingDevice device(width, height);
        CPrintPage page(m_doc, Grid());
        EXPECT_TRUE(page.PrintOn(device));
        m_dScale = static_cast<double>(height) / page.GetPageHeight();
        EXPECT_NEAR(m_dScale, static_cast<double>(width) / page.GetPageWidth(), 0.01)
            << "the page keeps its aspect";
        m_dMargin = page.GetCharWidth() * CPrintPage::kMarginChars * m_dScale;
        std::map<int, QStringList> lines;
        std::map<int, double> left; // where each line's first text starts
        m_dMaxBaseline = 0;
        for (const SDrawnText& t : device.Texts()) {
            const double y = t.pos.y() / m_dScale;
            const int line =
                y < kFirstRowTop
                    ? static_cast<int>(std::floor(y / kLineHeight))
                    : 14 + static_cast<int>(std::floor((y - kFirstRowTop) / kRowHeight));
            lines[line].append(t.text);
            m_dMaxBaseline = std::max(m_dMaxBaseline, t.pos.y());
            left.try_emplace(line, t.pos.x());
        }
        for (int line = 0; line <= 12; ++line) {
            EXPECT_NEAR(left[line], m_dMargin, 1.0) << "line " << line << " starts at the margin";
        }
        return lines;
    }

    double m_dScale = 1;
    double m_dMargin = 0;
    double m_dMaxBaseline = 0;
};

} // namespace

TEST_F(PrintPageTest, PortraitPageHoldsEveryLineInItsPlace) {
    FillDocument();
    const auto lines = PrintLines(2480, 3508); // A4 at 300 dpi
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(kLines));
    EXPECT_EQ(lines.begin()->first, 0);
    EXPECT_EQ(lines.rbegin()->first, kLines - 1);
    for (int line = 0; line < 13; ++line) {
        EXPECT_EQ(lines.at(line).size(), 1) << "line " << line << " is one text, not wrapped";
    }

    const QString date = lines.at(0).join(QString());
    EXPECT_TRUE(date.startsWith(QStringLiteral("2024-03-05 "))) << date.toStdString();
    EXPECT_TRUE(date.endsWith(QStringLiteral(" 14:07"))) << date.toStdString();
    EXPECT_GT(date.size(), 17) << "a day name stands between date and time";

    EXPECT_EQ(lines.at(1).join(QString()), QStringLiteral("Model InformationMV-16UE 400-480"));
    const char* const captions[] = {
        "Monitor Key",        "Time Out Timer [s]",    "Squelch Level",
        "Beep Tone",          "Battery Save",          "Wired Clone Mode",
        "Scan Type",          "Priority Channel",      "Revert Channel",
        "Loop Back Time [s]", "Dropout Delay Time [s]"};
    for (int i = 0; i < 11; ++i) {
        EXPECT_TRUE(lines.at(2 + i).join(QString()).startsWith(QLatin1String(captions[i]) +
                                                               QStringLiteral(" : ")))
            << lines.at(2 + i).join(QString()).toStdString();
    }
    // Each list shows its own value: the time-out and the squelch level differ.
    EXPECT_EQ(lines.at(3).join(QString()), QStringLiteral("Time Out Timer [s] : 60"));
    EXPECT_EQ(lines.at(4).join(QString()), QStringLiteral("Squelch Level : 5"));
    EXPECT_EQ(lines.at(5).join(QString()), QStringLiteral("Beep Tone : Yes"));
    EXPECT_EQ(lines.at(6).join(QString()), QStringLiteral("Battery Save : No"));
    EXPECT_EQ(lines.at(7).join(QString()), QStringLiteral("Wired Clone Mode : Yes"));
    // Two channels in the scan list: the scan controls are enabled and print their values.
    EXPECT_EQ(lines.at(8).join(QString()), QStringLiteral("Scan Type : No scan"));
    EXPECT_EQ(lines.at(9).join(QString()), QStringLiteral("Priority Channel : None"));

    EXPECT_EQ(lines.at(13), (QStringList{"CH", "RX Freq", "RX Tone", "TX Freq", "TX Tone", "Scan",
                                         "Opt 6", "Band", "Opt 8"}));
    for (int n = 1; n <= 16; ++n) {
        const QStringList& row = lines.at(13 + n);
        ASSERT_FALSE(row.isEmpty());
        EXPECT_EQ(row.first(), QString::number(n));
        if (n == 1 || n == 3) {
            EXPECT_GT(row.size(), 4) << "channel " << n << " prints its cells";
        } else {
            EXPECT_EQ(row, QStringList{QString::number(n)}) << "an empty channel prints its number";
        }
    }
    EXPECT_TRUE(lines.at(14).contains(QStringLiteral("446.00625")));
    EXPECT_TRUE(lines.at(16).contains(QStringLiteral("431.00000")));
}

TEST_F(PrintPageTest, LandscapePageScalesDownSoThatRow16StillFits) {
    FillDocument();
    m_doc.SetFreqText(16, true, "470.00000");
    m_doc.SetFreqText(16, false, "470.00000");
    m_view->OnUpdate();
    constexpr int kWidth = 1123; // A4 landscape at 96 dpi
    constexpr int kHeight = 794;
    const auto lines = PrintLines(kWidth, kHeight);
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(kLines));
    EXPECT_TRUE(lines.at(29).contains(QStringLiteral("16")));
    EXPECT_TRUE(lines.at(29).contains(QStringLiteral("470.00000")));
    EXPECT_LT(m_dMaxBaseline, kHeight);
    // The whole logical page, down to the bottom of row 16, is the page's height.
    EXPECT_NEAR(m_dScale, static_cast<double>(kHeight) / (kFirstRowTop + 16 * kRowHeight), 0.001);

    // On an image, row 16 has ink where its channel number stands.
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    CPrintPage page(m_doc, Grid());
    ASSERT_TRUE(page.PrintOn(image));
    const int top = static_cast<int>((kFirstRowTop + 15 * kRowHeight) * m_dScale) + 2;
    const int bottom = static_cast<int>((kFirstRowTop + 16 * kRowHeight) * m_dScale) - 2;
    const int right = static_cast<int>(m_dMargin + Grid().GetColumnWidth(0) * m_dScale) - 2;
    int ink = 0;
    for (int y = top; y < bottom; ++y) {
        for (int x = static_cast<int>(m_dMargin) + 2; x < right; ++x) {
            ink += qGray(image.pixel(x, y)) < 128 ? 1 : 0;
        }
    }
    EXPECT_GT(ink, 5);
}

TEST_F(PrintPageTest, LongOptionLineIsClippedAtTheGridsEdgeNotWrapped) {
    std::string language = ProgramFolder::Data("lang_en.lng");
    language.insert(language.find("[Resource]\n") + 11,
                    "^1208=Scan Type" + std::string(300, 'W') + "\n");
    m_dir.write("lang_en.lng", language);
    m_view->OnUpdate();
    const auto lines = PrintLines(1240, 1754);
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(kLines));
    EXPECT_EQ(lines.at(8).size(), 1);
    EXPECT_TRUE(lines.at(8).first().startsWith(QStringLiteral("Scan TypeWWW")));

    QImage image(1240, 1754, QImage::Format_RGB32);
    image.fill(Qt::white);
    CPrintPage page(m_doc, Grid());
    ASSERT_TRUE(page.PrintOn(image));
    const int edge = static_cast<int>(m_dMargin + Grid().GetVirtualWidth() * m_dScale) + 2;
    const int lineTop = static_cast<int>(8 * kLineHeight * m_dScale);
    const int lineBottom = static_cast<int>(9 * kLineHeight * m_dScale);
    int inside = 0;
    int outside = 0;
    for (int y = 0; y < static_cast<int>(kGridTop * m_dScale); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) >= 128) {
                continue;
            }
            if (x >= edge) {
                ++outside;
            } else if (y >= lineTop && y < lineBottom && x > edge - 40) {
                ++inside;
            }
        }
    }
    EXPECT_GT(inside, 0) << "the long line reaches the grid's edge";
    EXPECT_EQ(outside, 0) << "and stops there";
}

TEST_F(PrintPageTest, PrintCommandWritesOnePagePdfAndCancelPrintsNothing) {
    FillDocument();
    const std::string pdf = m_dir.file("page.pdf");
    MessageBoxRecorder boxes;
    {
        PrintDialogRecorder cancel([](const SPrintDialogRequest&) { return false; });
        m_view->OnFilePrint();
        ASSERT_EQ(cancel.requests.size(), 1u);
        EXPECT_EQ(cancel.requests[0].eKind, EPrintDialog::kPrint);
        EXPECT_EQ(cancel.requests[0].nMaxPage, 1) << "the dialog offers page 1 alone";
    }
    EXPECT_FALSE(std::filesystem::exists(pdf));

    PrintDialogRecorder print([&](const SPrintDialogRequest& r) {
        r.pPrinter->setOutputFormat(QPrinter::PdfFormat);
        r.pPrinter->setOutputFileName(QString::fromStdString(pdf));
        return true;
    });
    m_view->OnFilePrint();
    EXPECT_TRUE(boxes.boxes.empty());
    ASSERT_TRUE(std::filesystem::exists(pdf));
    EXPECT_EQ(PdfPages(pdf), 1);
    const std::string text = PdfText(pdf);
    EXPECT_NE(text.find("Beep Tone : Yes"), std::string::npos) << text;
    EXPECT_NE(text.find("446.00625"), std::string::npos) << text;
    EXPECT_NE(text.find("16"), std::string::npos) << text;
}

TEST_F(PrintPageTest, APdfThatCannotBeWrittenIsReported) {
    MessageBoxRecorder boxes;
    PrintDialogRecorder print([&](const SPrintDialogRequest& r) {
        r.pPrinter->setOutputFormat(QPrinter::PdfFormat);
        r.pPrinter->setOutputFileName(QString::fromStdString(m_dir.file("missing/page.pdf")));
        return true;
    });
    m_view->OnFilePrint();
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].caption, QStringLiteral("Error"));
    EXPECT_EQ(boxes.boxes[0].style, MB_OK | MB_ICONHAND);
}

TEST_F(PrintPageTest, APdfFileOnAFullDiskIsReportedLeavesNoFileAndTheNextPrintWorks) {
    FillDocument();
    const std::string sheet = m_dir.file("sheet.pdf");
    std::string target;
    PrintDialogRecorder print([&](const SPrintDialogRequest& r) {
        r.pPrinter->setOutputFormat(QPrinter::PdfFormat);
        r.pPrinter->setOutputFileName(QString::fromStdString(target));
        return true;
    });
    MessageBoxRecorder boxes;
    target = "/dev/full";
    m_view->OnFilePrint();
    // A file-size limit fills the disk for one regular file.
    const auto previous = ::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 4096;
    ::setrlimit(RLIMIT_FSIZE, &small);
    target = sheet;
    m_view->OnFilePrint();
    ::setrlimit(RLIMIT_FSIZE, &saved);
    ::signal(SIGXFSZ, previous);
    ASSERT_EQ(boxes.boxes.size(), 2u);
    EXPECT_EQ(boxes.boxes[0].text,
              QStringLiteral("Cannot write the PDF file /dev/full: No space left on device"));
    EXPECT_EQ(boxes.boxes[1].text,
              QString::fromStdString("Cannot write the PDF file " + sheet + ": File too large"));
    EXPECT_EQ(boxes.boxes[1].style, MB_OK | MB_ICONHAND);
    EXPECT_FALSE(std::filesystem::exists(sheet));

    // The same printer prints whole pages again.
    m_view->OnFilePrint();
    EXPECT_EQ(boxes.boxes.size(), 2u);
    EXPECT_EQ(PdfPages(sheet), 1);
    EXPECT_NE(PdfText(sheet).find("Beep Tone : Yes"), std::string::npos);
}

TEST_F(PrintPageTest, PreviewDrawsOnePageAtEveryRepaintAndMatchesThePrint) {
    FillDocument();
    int pages = 0;
    {
        PrintDialogRecorder preview([&](const SPrintDialogRequest& r) {
            EXPECT_EQ(r.eKind, EPrintDialog::kPreview);
            QPrintPreviewWidget widget(r.pPrinter);
            QObject::connect(&widget, &QPrintPreviewWidget::paintRequested, &widget, r.paint);
            for (int repaint = 0; repaint < 20; ++repaint) {
                widget.updatePreview();
                pages = std::max(pages, widget.pageCount());
            }
            return true;
        });
        m_view->OnFilePrintPreview();
        ASSERT_EQ(preview.requests.size(), 1u);
    }
    EXPECT_EQ(pages, 1);

    // The preview's drawing and the print's, each on a PDF printer, give the same picture.
    const std::string printed = m_dir.file("printed.pdf");
    const std::string previewed = m_dir.file("previewed.pdf");
    PrintDialogRecorder both([&](const SPrintDialogRequest& r) {
        r.pPrinter->setOutputFormat(QPrinter::PdfFormat);
        if (r.eKind == EPrintDialog::kPrint) {
            r.pPrinter->setOutputFileName(QString::fromStdString(printed));
        } else {
            r.pPrinter->setOutputFileName(QString::fromStdString(previewed));
            r.paint(r.pPrinter);
        }
        return true;
    });
    m_view->OnFilePrint();
    m_view->OnFilePrintPreview();
    const auto render = [this](const std::string& pdf, const std::string& name) {
        Capture("pdftoppm -r 50 -png -singlefile '" + pdf + "' '" + m_dir.file(name) + "'");
        return m_dir.read(name + ".png");
    };
    const std::string a = render(printed, "printed");
    const std::string b = render(previewed, "previewed");
    ASSERT_FALSE(a.empty());
    EXPECT_TRUE(a == b);
}

// Tinted cells and the focus cell stay on the screen: the page is the same as without them.
TEST_F(PrintPageTest, PageShowsNoneOfTheScreensState) {
    FillDocument();
    const auto print = [this] {
        QImage image(827, 1170, QImage::Format_RGB32);
        image.fill(Qt::white);
        CPrintPage page(m_doc, Grid());
        EXPECT_TRUE(page.PrintOn(image));
        return image;
    };
    const QImage plain = print();

    CCellMarks marks;
    marks.Mark(1, 1);
    marks.Mark(3, 2);
    marks.ShowRow(Grid(), 1);
    marks.ShowRow(Grid(), 3);
    ClickCell(Grid(), 3, 3);
    EXPECT_TRUE(print() == plain);
}

TEST_F(PrintPageTest, RepeatedRepaintsLeaveThePainterAsTheyFoundIt) {
    FillDocument();
    QImage image(827, 1170, QImage::Format_RGB32);
    image.fill(Qt::white);
    CPrintPage page(m_doc, Grid());
    page.BeginPrinting(image);
    QPainter painter(&image);
    const QFont font(QStringLiteral("Liberation Sans"), 7);
    painter.setFont(font);
    painter.setPen(Qt::red);
    painter.translate(3, 5);
    const QTransform transform = painter.transform();
    for (int repaint = 0; repaint < 50; ++repaint) {
        page.Print(painter);
        ASSERT_EQ(painter.font(), font);
        ASSERT_EQ(painter.pen().color(), QColor(Qt::red));
        ASSERT_EQ(painter.transform(), transform);
        ASSERT_EQ(painter.window(), image.rect());
        ASSERT_EQ(painter.viewport(), image.rect());
        ASSERT_FALSE(painter.hasClipping());
    }
}

TEST_F(PrintPageTest, PageFollowsTheLanguageInForce) {
    m_dir.write("lang_cn.lng", "[String]\nIDS_YES=是\nIDS_NO=否\nIDS_NONE=无\nIDS_OFF=关\n"
                               "[Resource]\n^1200=机型信息\n^1006=按键音\n"
                               "[Face]\nlocale=zh_CN\nIDS_COL0=信道\n");
    SetLanguageName("lang_cn");
    m_doc.SetBeepTone(false);
    m_view->OnUpdate();
    const auto lines = PrintLines(2480, 3508);
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(kLines));
    EXPECT_EQ(lines.at(1).join(QString()), QStringLiteral("机型信息MV-16UE 400-480"));
    EXPECT_EQ(lines.at(5).join(QString()), QStringLiteral("按键音 : 否"));
    EXPECT_EQ(lines.at(13).first(), QStringLiteral("信道"));

    // The date line of the PDF names the day in Chinese (2024-03-05 is a Tuesday).
    const std::string pdf = m_dir.file("cn.pdf");
    {
        QPdfWriter writer(QString::fromStdString(pdf));
        CPrintPage page(m_doc, Grid());
        ASSERT_TRUE(page.PrintOn(writer));
    }
    const std::string text = PdfText(pdf);
    EXPECT_NE(text.find("2024-03-05 星期二 14:07"), std::string::npos) << text;
    for (const char* day :
         {"Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday", "Tue"}) {
        EXPECT_EQ(text.find(day), std::string::npos) << day;
    }
}
