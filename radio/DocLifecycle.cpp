#include "radio/DocLifecycle.h"

#include "app/FileReasonText.h"
#include "app/LangString.h"

CDocLifecycle::CDocLifecycle(CDromelPgmDoc& doc, CDocQuestions& questions)
    : m_doc(doc), m_questions(questions) {}

bool CDocLifecycle::FileNew() {
    return SaveModified() && OnNewDocument();
}

bool CDocLifecycle::OnNewDocument() {
    if (m_bSilentNew) {
        m_bSilentNew = false;
    } else if (!m_questions.AskOkCancel(GetLangString("IDS_WARN_CLEAR"),
                                        GetLangString("IDS_PROMPT"))) {
        return false;
    }
    m_doc.NewDocument();
    m_doc.UpdateAllViews();
    return true;
}

bool CDocLifecycle::OpenDocumentFile(const std::string& path) {
    if (!SaveModified()) {
        return false;
    }
    m_bSilentNew = true;
    OnNewDocument();
    const DataFileResult result = m_doc.LoadFile(path);
    if (!result) {
        m_questions.ShowStop(FormatLangString("IDS_ERROR_OPEN", {path, FileReasonText(result)}),
                             GetLangString("IDS_ERROR"));
        return false;
    }
    if (!result.headerAccepted) {
        m_questions.ShowStop(GetLangString("IDS_WARN_LOAD"), {});
    }
    m_doc.UpdateAllViews();
    return true;
}

bool CDocLifecycle::FileSave() {
    const std::string path = m_doc.GetPathName();
    if (path.empty()) {
        return FileSaveAs();
    }
    if (!m_questions.AskOkCancel(GetLangString("IDS_WARN_SAVE") + path,
                                 GetLangString("IDS_PROMPT"))) {
        return false;
    }
    return DoSave(path);
}

bool CDocLifecycle::FileSaveAs() {
    const std::string path = m_questions.AskSaveFileName(m_doc.GetTitle());
    return !path.empty() && DoSave(path);
}

bool CDocLifecycle::DoSave(const std::string& path) {
    const DataFileResult result = m_doc.SaveFile(path);
    if (!result) {
        m_questions.ShowStop(FormatLangString("IDS_ERROR_SAVE", {path, FileReasonText(result)}),
                             GetLangString("IDS_ERROR"));
    }
    return static_cast<bool>(result);
}

bool CDocLifecycle::SaveModified() {
    if (!m_doc.IsModified()) {
        return true;
    }
    switch (m_questions.AskYesNoCancel(FormatLangString("IDS_SAVE_CHANGES", {m_doc.GetTitle()}),
                                       GetLangString("IDS_PROMPT"))) {
    case CDocQuestions::Answer::Yes:
        return m_doc.GetPathName().empty() ? FileSaveAs() : DoSave(m_doc.GetPathName());
    case CDocQuestions::Answer::No:
        return true;
    case CDocQuestions::Answer::Cancel:
        break;
    }
    return false;
}
