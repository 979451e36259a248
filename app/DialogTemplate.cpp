#include "app/DialogTemplate.h"

#include "app/AsciiText.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <utility>

namespace {

constexpr std::array<std::pair<std::string_view, ControlKind>, 11> kKinds{{
    {"group", ControlKind::Group},
    {"static", ControlKind::Static},
    {"edit", ControlKind::Edit},
    {"droplist", ControlKind::DropList},
    {"dropdown", ControlKind::DropDown},
    {"button", ControlKind::Button},
    {"check", ControlKind::Check},
    {"radio", ControlKind::Radio},
    {"progress", ControlKind::Progress},
    {"updown", ControlKind::UpDown},
    {"custom", ControlKind::Custom},
}};

// Style words the builder knows; anything else is a mistake in the template text.
constexpr std::array<std::string_view, 24> kStyles{
    "hidden",      "disabled",    "border",    "default", "password", "readonly",
    "autohscroll", "uppercase",   "vscroll",   "sort",    "smooth",   "left",
    "center",      "right",       "nowrap",    "tabstop", "group",    "alignright",
    "autobuddy",   "setbuddyint", "arrowkeys", "child",   "caption",  "sysmenu",
};

bool KnownStyle(const std::string& word) {
    return word.rfind("class:", 0) == 0 || word.rfind("name:", 0) == 0 ||
           std::find(kStyles.begin(), kStyles.end(), word) != kStyles.end();
}

// Splits a line into words; a double-quoted text is one word (without its quotes).
bool SplitWords(const std::string& line, std::vector<std::string>& words, std::string& error) {
    std::size_t i = 0;
    while (i < line.size()) {
        if (line[i] == ' ' || line[i] == '\t' || line[i] == '\r') {
            ++i;
        } else if (line[i] == '"') {
            const std::size_t end = line.find('"', i + 1);
            if (end == std::string::npos) {
                error = "text without closing quote";
                return false;
            }
            words.push_back(line.substr(i + 1, end - i - 1));
            i = end + 1;
        } else {
            std::size_t end = i;
            while (end < line.size() && line[end] != ' ' && line[end] != '\t' &&
                   line[end] != '\r') {
                ++end;
            }
            words.push_back(line.substr(i, end - i));
            i = end;
        }
    }
    return true;
}

bool ToInt(const std::string& word, int& value) {
    const char* end = word.data() + word.size();
    auto [ptr, ec] = std::from_chars(word.data(), end, value);
    return ec == std::errc() && ptr == end;
}

// Reads the numbers words[first..first+count) into the given ints.
bool ReadNumbers(const std::vector<std::string>& words, std::size_t first,
                 std::initializer_list<int*> out, std::string& error) {
    std::size_t i = first;
    for (int* value : out) {
        if (!ToInt(words[i], *value)) {
            error = "'" + words[i] + "' is not a number";
            return false;
        }
        ++i;
    }
    return true;
}

bool ReadStyles(const std::vector<std::string>& words, std::size_t first,
                std::vector<std::string>& styles, std::string& error) {
    for (std::size_t i = first; i < words.size(); ++i) {
        if (!KnownStyle(words[i])) {
            error = "unknown style '" + words[i] + "'";
            return false;
        }
        styles.push_back(words[i]);
    }
    return true;
}

bool ParseDialogLine(const std::vector<std::string>& words, DialogTemplate& dialog,
                     std::string& error) {
    if (words.size() < 5) {
        error = "DIALOG needs id, width, height and caption";
        return false;
    }
    dialog.caption = words[4];
    return ReadNumbers(words, 1, {&dialog.id, &dialog.cx, &dialog.cy}, error) &&
           ReadStyles(words, 5, dialog.styles, error);
}

bool ParseControlLine(const std::vector<std::string>& words, ControlTemplate& control,
                      std::string& error) {
    const auto kind = std::find_if(kKinds.begin(), kKinds.end(),
                                   [&](const auto& k) { return k.first == words[0]; });
    if (kind == kKinds.end()) {
        error = "unknown control kind '" + words[0] + "'";
        return false;
    }
    if (words.size() < 7) {
        error = "a control needs id, x, y, width, height and text";
        return false;
    }
    control.kind = kind->second;
    control.text = words[6];
    return ReadNumbers(words, 1, {&control.id, &control.x, &control.y, &control.cx, &control.cy},
                       error) &&
           ReadStyles(words, 7, control.styles, error);
}

} // namespace

bool ControlTemplate::Has(std::string_view style) const {
    return std::find(styles.begin(), styles.end(), style) != styles.end();
}

std::string ControlTemplate::StyleValue(std::string_view name) const {
    const std::string prefix = std::string(name) + ":";
    for (const std::string& style : styles) {
        if (style.rfind(prefix, 0) == 0) {
            return style.substr(prefix.size());
        }
    }
    return {};
}

bool DialogTemplate::Has(std::string_view style) const {
    return std::find(styles.begin(), styles.end(), style) != styles.end();
}

const ControlTemplate* DialogTemplate::Control(int controlId) const {
    const auto it = std::find_if(controls.begin(), controls.end(),
                                 [&](const ControlTemplate& c) { return c.id == controlId; });
    return it == controls.end() ? nullptr : &*it;
}

const DialogTemplate* DialogTemplateList::Find(int dialogId) const {
    const auto it = std::find_if(dialogs.begin(), dialogs.end(),
                                 [&](const DialogTemplate& d) { return d.id == dialogId; });
    return it == dialogs.end() ? nullptr : &*it;
}

DialogTemplateList ParseDialogTemplates(const std::string& text) {
    DialogTemplateList list;
    bool inDialog = false;
    std::size_t lineNo = 0;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        const std::string line = text.substr(start, end - start);
        start = end + 1;
        ++lineNo;

        std::vector<std::string> words;
        std::string error;
        const bool comment = TrimView(line).starts_with('#');
        if (!comment && SplitWords(line, words, error) && !words.empty()) {
            if (words[0] == "DIALOG") {
                if (inDialog) {
                    error = "DIALOG inside a dialog (END missing)";
                } else if (ParseDialogLine(words, list.dialogs.emplace_back(), error)) {
                    inDialog = true;
                    if (list.Find(list.dialogs.back().id) != &list.dialogs.back()) {
                        error = "dialog " + std::to_string(list.dialogs.back().id) + " twice";
                    }
                }
            } else if (words[0] == "END") {
                if (!inDialog) {
                    error = "END outside a dialog";
                }
                inDialog = false;
            } else if (!inDialog) {
                error = "control outside a dialog";
            } else {
                ParseControlLine(words, list.dialogs.back().controls.emplace_back(), error);
            }
        }
        if (!error.empty()) {
            list.error = "line " + std::to_string(lineNo) + ": " + error;
            return list;
        }
    }
    if (inDialog) {
        list.error = "line " + std::to_string(lineNo) + ": END missing";
    }
    return list;
}
