// File > Import Channels... and Export Channels...: the 16 channels as CSV, with the mapping
// and the messages of dpmtool import and export.
#include "app/AppFileDialog.h"
#include "app/AppMessageBox.h"
#include "app/DromelPgmApp.h"
#include "app/FileReasonText.h"
#include "app/LangString.h"
#include "app/LangText.h"
#include "app/MainFrm.h"
#include "radio/ChannelCsv.h"

#include <QDir>
#include <QFileInfo>

namespace {

// A channel CSV file holds 16 rows; anything beyond this is not one.
constexpr std::size_t kMaxCsvBytes = 1 << 20;

std::string Lines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += "\n" + line;
    }
    return text;
}

} // namespace

// The import is one change of the document, so one Undo takes it back. Rows that cannot be
// used are named and left out; values clamped or rounded on the way in are named too.
void CDromelPgmApp::OnFileImportCsv() {
    const QString chosen =
        AppGetOpenFileName(m_pMainFrame.get(), QString::fromStdString(m_questions.GetLastFolder()),
                           LangText("IDS_CSV_FILTER"));
    if (chosen.isEmpty()) {
        return;
    }
    const std::string path = chosen.toStdString();
    std::string text;
    const FileResult read = ReadFileStart(path, kMaxCsvBytes + 1, text);
    const auto refuse = [this](const QString& message) {
        AppMessageBox(message, LangText("IDS_ERROR"), MB_OK | MB_ICONHAND);
    };
    if (!read) {
        refuse(LangText("IDS_CSV_ERROR_READ", {path, FileReasonText(read)}));
        return;
    }
    if (text.size() > kMaxCsvBytes) {
        refuse(LangText("IDS_CSV_TOO_LARGE", {path}));
        return;
    }
    const CsvImport result = ImportChannelsCsv(m_doc, text);
    if (!result.isChannelCsv) {
        refuse(LangText("IDS_CSV_NOT_CHANNELS", {path, result.whyNot}));
        return;
    }
    m_doc.UpdateAllViews();
    std::string report;
    if (!result.skipped.empty()) {
        report = FormatLangString("IDS_CSV_SKIPPED", {std::to_string(result.skipped.size()), path,
                                                      std::to_string(result.used)}) +
                 Lines(result.skipped);
    }
    if (!result.notices.empty()) {
        report += (report.empty() ? "" : "\n\n") + FormatLangString("IDS_CSV_NOTICES", {path}) +
                  Lines(result.notices);
    }
    if (!report.empty()) {
        AppMessageBox(QString::fromStdString(report), LangText("IDS_PROMPT"),
                      MB_OK | (result.skipped.empty() ? MB_ICONASTERISK : MB_ICONEXCLAMATION));
    }
}

// The file is written whole or not at all; a failure names the file and why.
void CDromelPgmApp::OnFileExportCsv() {
    const QString suggested =
        QDir(QString::fromStdString(m_questions.GetLastFolder()))
            .filePath(QFileInfo(QString::fromStdString(m_doc.GetTitle())).completeBaseName() +
                      QStringLiteral(".csv"));
    const QString chosen = AppGetSaveFileName(m_pMainFrame.get(), suggested,
                                              LangText("IDS_CSV_FILTER"), QStringLiteral("csv"));
    if (chosen.isEmpty()) {
        return;
    }
    const std::string path = chosen.toStdString();
    const FileResult written = WriteFileAtomically(path, ExportChannelsCsv(m_doc));
    if (!written) {
        AppMessageBox(LangText("IDS_CSV_ERROR_WRITE", {path, FileReasonText(written)}),
                      LangText("IDS_ERROR"), MB_OK | MB_ICONHAND);
    }
}
