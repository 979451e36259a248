// A program folder for start-up tests: setting.ini and language files written by the test.
#pragma once

#include "app/AppFileDialog.h"
#include "app/AppMessageBox.h"
#include "app/AppPrintDialogs.h"

#include "TempDir.h"

#include <QString>

#include <fstream>
#include <iterator>

#include <string>
#include <vector>

// setting plus a model table of one model, for start-up tests about other things: a settings
// file that names no models is reported when the program starts.
inline std::string WithModelTable(const std::string& setting) {
    return setting + "\n[model]\nfdisp0=Test 400-480\nmodel0=4D56313655450000\n"
                     "value0=000102030405060708090A0B0C0D0E0F\n"
                     "freq0=00000048000000400000000000000000\n";
}

struct AppTestFolder {
    TempDir dir;

    // Copies a shipped language file (lang_en, lang_cn) into the folder.
    void CopyShippedLanguage(const std::string& name) const {
        std::ifstream in(std::string(DROMEL_SOURCE_DIR) + "/res/" + name + ".lng",
                         std::ios::binary);
        dir.write(name + ".lng",
                  {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()});
    }
};

// Answers the message boxes with the given buttons in turn (then IDOK) and remembers what
// was asked.
class MessageBoxRecorder {
public:
    struct Box {
        QString text;
        QString caption;
        int style;
    };

    explicit MessageBoxRecorder(std::vector<int> answers = {}) {
        m_previous = SetAppMessageBoxResponder(
            [this, answers](const QString& text, const QString& caption, int style) {
                boxes.push_back({text, caption, style});
                return boxes.size() <= answers.size() ? answers[boxes.size() - 1] : IDOK;
            });
    }
    ~MessageBoxRecorder() { SetAppMessageBoxResponder(m_previous); }
    MessageBoxRecorder(const MessageBoxRecorder&) = delete;
    MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

    std::vector<Box> boxes;

private:
    AppMessageBoxResponder m_previous;
};

// Answers the file dialogs with the given files in turn (then cancels) and remembers them.
class FileDialogRecorder {
public:
    explicit FileDialogRecorder(std::vector<QString> answers = {}) {
        m_previous = SetAppFileDialogResponder([this, answers](const FileDialogRequest& request) {
            requests.push_back(request);
            return requests.size() <= answers.size() ? answers[requests.size() - 1] : QString();
        });
    }
    ~FileDialogRecorder() { SetAppFileDialogResponder(m_previous); }
    FileDialogRecorder(const FileDialogRecorder&) = delete;
    FileDialogRecorder& operator=(const FileDialogRecorder&) = delete;

    std::vector<FileDialogRequest> requests;

private:
    AppFileDialogResponder m_previous;
};

// Answers the print dialogs, the preview and the page setup with a function of the test (by
// default: Cancel) and remembers what was asked.
class PrintDialogRecorder {
public:
    explicit PrintDialogRecorder(AppPrintDialogResponder answer = [](const SPrintDialogRequest&) {
        return false;
    }) {
        m_previous = SetAppPrintDialogResponder([this, answer](const SPrintDialogRequest& r) {
            requests.push_back(r);
            return answer(r);
        });
    }
    ~PrintDialogRecorder() { SetAppPrintDialogResponder(m_previous); }
    PrintDialogRecorder(const PrintDialogRecorder&) = delete;
    PrintDialogRecorder& operator=(const PrintDialogRecorder&) = delete;

    std::vector<SPrintDialogRequest> requests;

private:
    AppPrintDialogResponder m_previous;
};
