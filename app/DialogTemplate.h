// Dialog templates: the layout of every dialog and of the main form as data. Sizes and
// positions are in dialog units; controls are listed in z-order, which is also the tab order.
//
// Text form, one item a line ('#' starts a comment line):
//   DIALOG <id> <width> <height> "<caption>" [style ...]
//   <kind> <id> <x> <y> <width> <height> "<text>" [style ...]
//   END
// Kinds: group, static, edit, droplist (drop-down list), dropdown (drop-down combo with an
// edit field), button, check, radio, progress, updown, custom. A custom control names its
// window class with the style "class:<name>". The style "name:<key>" gives a control the
// language file's text of key as its name for screen readers.
#pragma once

#include <string>
#include <string_view>
#include <vector>

enum class ControlKind {
    Group,
    Static,
    Edit,
    DropList,
    DropDown,
    Button,
    Check,
    Radio,
    Progress,
    UpDown,
    Custom
};

struct ControlTemplate {
    ControlKind kind = ControlKind::Static;
    int id = 0;
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
    std::string text;
    std::vector<std::string> styles;

    bool Has(std::string_view style) const;
    // The value of a "name:value" style, empty when the control has none.
    std::string StyleValue(std::string_view name) const;
};

struct DialogTemplate {
    int id = 0;
    int cx = 0;
    int cy = 0;
    std::string caption;
    std::vector<std::string> styles;
    std::vector<ControlTemplate> controls;

    bool Has(std::string_view style) const;
    // The first control with this id, or null.
    const ControlTemplate* Control(int controlId) const;
};

struct DialogTemplateList {
    std::vector<DialogTemplate> dialogs;
    std::string error; // "line N: what is wrong"; empty when the whole text was read

    // The dialog with this id, or null.
    const DialogTemplate* Find(int dialogId) const;
};

// Reads the templates of text; stops at the first line in error and reports it.
DialogTemplateList ParseDialogTemplates(const std::string& text);
