#include "app/LangString.h"

#include "app/AppPaths.h"
#include "app/Profile.h"

namespace {

// Replaces every backslash followed by letter with the character c.
std::string ReplaceEscape(const std::string& text, char letter, char c) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == letter) {
            out += c;
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

} // namespace

std::string GetLangString(const std::string& key) {
    const std::string raw =
        GetPrivateProfileString("String", key, "Not Found", 1000, g_strLangFile);
    return ReplaceEscape(ReplaceEscape(raw, 'n', '\n'), 't', '\t');
}

std::string FormatText(const std::string& pattern, std::initializer_list<std::string> args) {
    std::string out;
    auto next = args.begin();
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] == 's') {
            if (next != args.end()) {
                out += *next++;
            }
            ++i;
        } else if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] == '%') {
            out += '%';
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

std::string FormatLangString(const std::string& key, std::initializer_list<std::string> args) {
    return FormatText(GetLangString(key), args);
}

std::string GetLangResource(int id) {
    return GetPrivateProfileString("Resource", "^" + std::to_string(id), "", 1024, g_strLangFile);
}

std::string GetLangValue(const std::string& section, const std::string& key, const std::string& def,
                         std::size_t bufferSize) {
    return GetPrivateProfileString(section, key, def, bufferSize, g_strLangFile);
}
