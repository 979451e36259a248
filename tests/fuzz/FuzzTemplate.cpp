// The dialog-template reader on arbitrary text: templates read without error, written out
// again in the text form, read back identical.
#include "app/DialogTemplate.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

const char* KindWord(ControlKind kind) {
    switch (kind) {
    case ControlKind::Group:
        return "group";
    case ControlKind::Static:
        return "static";
    case ControlKind::Edit:
        return "edit";
    case ControlKind::DropList:
        return "droplist";
    case ControlKind::DropDown:
        return "dropdown";
    case ControlKind::Button:
        return "button";
    case ControlKind::Check:
        return "check";
    case ControlKind::Radio:
        return "radio";
    case ControlKind::Progress:
        return "progress";
    case ControlKind::UpDown:
        return "updown";
    case ControlKind::Custom:
        return "custom";
    }
    std::abort();
}

// A word as the reader takes it back: in quotes, or bare when it holds a quote (a bare word
// runs to the next blank and may hold quotes after its first character).
std::string Quoted(const std::string& text) {
    Require(text.find('\n') == std::string::npos);
    if (text.find('"') == std::string::npos) {
        return "\"" + text + "\"";
    }
    Require(text[0] != '"' && text.find_first_of(" \t\r") == std::string::npos);
    return text;
}

std::string Styles(const std::vector<std::string>& styles) {
    std::string out;
    for (const std::string& style : styles) {
        out += " " + Quoted(style);
    }
    return out;
}

std::string Write(const DialogTemplateList& list) {
    std::string out;
    for (const DialogTemplate& d : list.dialogs) {
        out += "DIALOG " + std::to_string(d.id) + " " + std::to_string(d.cx) + " " +
               std::to_string(d.cy) + " " + Quoted(d.caption) + Styles(d.styles) + "\n";
        for (const ControlTemplate& c : d.controls) {
            out += std::string(KindWord(c.kind)) + " " + std::to_string(c.id) + " " +
                   std::to_string(c.x) + " " + std::to_string(c.y) + " " + std::to_string(c.cx) +
                   " " + std::to_string(c.cy) + " " + Quoted(c.text) + Styles(c.styles) + "\n";
        }
        out += "END\n";
    }
    return out;
}

bool Same(const ControlTemplate& a, const ControlTemplate& b) {
    return a.kind == b.kind && a.id == b.id && a.x == b.x && a.y == b.y && a.cx == b.cx &&
           a.cy == b.cy && a.text == b.text && a.styles == b.styles;
}

bool Same(const DialogTemplate& a, const DialogTemplate& b) {
    if (a.id != b.id || a.cx != b.cx || a.cy != b.cy || a.caption != b.caption ||
        a.styles != b.styles || a.controls.size() != b.controls.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.controls.size(); ++i) {
        if (!Same(a.controls[i], b.controls[i])) {
            return false;
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(bytes), size);
    const DialogTemplateList first = ParseDialogTemplates(text);
    Require(first.error.empty() || first.error.rfind("line ", 0) == 0);
    if (!first.error.empty()) {
        return 0;
    }
    for (const DialogTemplate& d : first.dialogs) {
        Require(first.Find(d.id) == &d);
    }
    const std::string written = Write(first);
    const DialogTemplateList second = ParseDialogTemplates(written);
    Require(second.error.empty());
    Require(second.dialogs.size() == first.dialogs.size());
    for (std::size_t i = 0; i < first.dialogs.size(); ++i) {
        Require(Same(first.dialogs[i], second.dialogs[i]));
    }
    Require(Write(second) == written);
    return 0;
}
