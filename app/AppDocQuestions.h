// The document's questions answered by the user: message boxes and the file dialog.
#pragma once

#include "radio/DocQuestions.h"

#include <QString>

class QWidget;

class CAppDocQuestions : public CDocQuestions {
public:
    // The filter of the data-file dialogs, from the language file in force.
    static QString FileFilter();

    bool AskOkCancel(const std::string& text, const std::string& caption) override;
    Answer AskYesNoCancel(const std::string& text, const std::string& caption) override;
    void ShowStop(const std::string& text, const std::string& caption) override;
    // Offers title.dpm in the folder of the last file; the dialog adds ".dpm" to a name
    // without an extension.
    std::string AskSaveFileName(const std::string& title) override;

    // The folder the file dialogs start in: that of the file last opened or saved.
    void SetLastFolder(const std::string& folder) { m_strLastFolder = folder; }
    const std::string& GetLastFolder() const { return m_strLastFolder; }

private:
    std::string m_strLastFolder;
};
