// A program folder for start-up tests: setting.ini and language files written by the test.
#pragma once

#include "app/AppMessageBox.h"

#include "TempDir.h"

#include <QString>

#include <fstream>
#include <iterator>

#include <string>
#include <vector>

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

// Answers every message box with a fixed button and remembers what was asked.
class MessageBoxRecorder {
public:
    struct Box {
        QString text;
        QString caption;
        int style;
    };

    explicit MessageBoxRecorder(int answer = IDOK) {
        m_previous = SetAppMessageBoxResponder(
            [this, answer](const QString& text, const QString& caption, int style) {
                boxes.push_back({text, caption, style});
                return answer;
            });
    }
    ~MessageBoxRecorder() { SetAppMessageBoxResponder(m_previous); }
    MessageBoxRecorder(const MessageBoxRecorder&) = delete;
    MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

    std::vector<Box> boxes;

private:
    AppMessageBoxResponder m_previous;
};
