// File > Print, Print Preview and Print Setup inside the program: one printer, whose page
// set-up the next print uses.
#include "app/CommandIds.h"
#include "app/DromelPgmApp.h"
#include "app/MainFrm.h"

#include "AppTestFolder.h"
#include "PdfFile.h"

#include <QAction>
#include <QPrinter>
#include <QSettings>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

class PrintCommands : public ::testing::Test {
protected:
    void SetUp() override {
        folder.CopyShippedLanguage("lang_en");
        std::ifstream in(DROMEL_SOURCE_DIR "/res/setting.ini", std::ios::binary);
        folder.dir.write("setting.ini", std::string(std::istreambuf_iterator<char>(in), {}) +
                                            "\n[setup]\nlanguage=lang_en\n");
        ASSERT_TRUE(app.InitInstance(folder.dir.path(), {}));
    }
    void TearDown() override {
        QSettings().remove(QStringLiteral("Recent File List"));
        app.GetDocument().SetModifiedFlag(false);
    }
    void Command(int id) const { app.MainFrame()->CommandAction(id)->trigger(); }

    CDromelPgmApp& app = *CDromelPgmApp::Instance();
    AppTestFolder folder;
};

} // namespace

TEST_F(PrintCommands, PrintSetupChoicesAreUsedByTheNextPrintAndPreview) {
    const std::string pdf = folder.dir.file("sheet.pdf");
    PrintDialogRecorder dialogs([&](const SPrintDialogRequest& r) {
        if (r.eKind == EPrintDialog::kPageSetup) {
            r.pPrinter->setPageOrientation(QPageLayout::Landscape);
        } else if (r.eKind == EPrintDialog::kPrint) {
            r.pPrinter->setOutputFormat(QPrinter::PdfFormat);
            r.pPrinter->setOutputFileName(QString::fromStdString(pdf));
        }
        return true;
    });
    Command(ID_FILE_PRINT_SETUP);
    Command(ID_FILE_PRINT);
    Command(ID_FILE_PRINT_PREVIEW);
    ASSERT_EQ(dialogs.requests.size(), 3u);
    EXPECT_EQ(dialogs.requests[0].eKind, EPrintDialog::kPageSetup);
    EXPECT_EQ(dialogs.requests[1].eKind, EPrintDialog::kPrint);
    EXPECT_EQ(dialogs.requests[2].eKind, EPrintDialog::kPreview);
    EXPECT_EQ(dialogs.requests[1].pPrinter, dialogs.requests[0].pPrinter);
    EXPECT_EQ(dialogs.requests[2].pPrinter, dialogs.requests[0].pPrinter);
    EXPECT_EQ(dialogs.requests[2].pPrinter->pageLayout().orientation(), QPageLayout::Landscape);

    const std::string info = PdfInfo(pdf);
    const std::size_t pages = info.find("Pages:");
    ASSERT_NE(pages, std::string::npos) << info;
    EXPECT_EQ(std::atoi(info.c_str() + pages + 6), 1);
    double width = 0;
    double height = 0;
    const std::size_t size = info.find("Page size:");
    ASSERT_NE(size, std::string::npos) << info;
    ASSERT_EQ(std::sscanf(info.c_str() + size, "Page size: %lf x %lf", &width, &height), 2);
    EXPECT_GT(width, height) << "the page is landscape";
}
