// The questions and messages of the document's lifecycle. The program answers them with
// message boxes and file dialogs; tests answer them from a script.
#pragma once

#include <string>

class CDocQuestions {
public:
    enum class Answer { Yes, No, Cancel };

    virtual ~CDocQuestions() = default;

    // OK and Cancel buttons, exclamation icon. True for OK.
    virtual bool AskOkCancel(const std::string& text, const std::string& caption) = 0;
    // Yes, No and Cancel buttons, exclamation icon.
    virtual Answer AskYesNoCancel(const std::string& text, const std::string& caption) = 0;
    // Stop icon and an OK button. An empty caption stands for the application's title.
    virtual void ShowStop(const std::string& text, const std::string& caption) = 0;
    // The file to save a document to that has none yet (title is the document's title);
    // empty when the user cancels.
    virtual std::string AskSaveFileName(const std::string& title) = 0;
};
