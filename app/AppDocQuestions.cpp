#include "app/AppDocQuestions.h"

#include "app/AppFileDialog.h"
#include "app/AppMessageBox.h"
#include "app/LangString.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

// The file-type filter of the language file; English where the file has none.
QString CAppDocQuestions::FileFilter() {
    constexpr std::size_t kFilterBuffer = 128;
    return QString::fromStdString(GetLangValue("String", "IDS_FILE_FILTER",
                                               "Radio Program Data Files(*.dpm)", kFilterBuffer));
}

namespace {

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

bool CAppDocQuestions::AskOkCancel(const std::string& text, const std::string& caption) {
    return AppMessageBox(Q(text), Q(caption), MB_OKCANCEL | MB_ICONEXCLAMATION) == IDOK;
}

CDocQuestions::Answer CAppDocQuestions::AskYesNoCancel(const std::string& text,
                                                       const std::string& caption) {
    switch (AppMessageBox(Q(text), Q(caption), MB_YESNOCANCEL | MB_ICONEXCLAMATION)) {
    case IDYES:
        return Answer::Yes;
    case IDNO:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

void CAppDocQuestions::ShowStop(const std::string& text, const std::string& caption) {
    AppMessageBox(Q(text), Q(caption), MB_OK | MB_ICONHAND);
}

std::string CAppDocQuestions::AskSaveFileName(const std::string& title) {
    QString suggested = Q(title);
    if (QFileInfo(suggested).suffix().isEmpty()) {
        suggested += QStringLiteral(".dpm");
    }
    if (!m_strLastFolder.empty()) {
        suggested = QDir(Q(m_strLastFolder)).filePath(suggested);
    }
    return AppGetSaveFileName(QApplication::activeWindow(), suggested, FileFilter(),
                              QStringLiteral("dpm"))
        .toStdString();
}
