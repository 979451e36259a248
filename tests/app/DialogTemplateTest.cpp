#include "app/DialogTemplate.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>

namespace {

std::string ShippedTemplates() {
    std::ifstream in(DROMEL_SOURCE_DIR "/res/dialogs.dlg", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace

TEST(DialogTemplate, ReadsDialogsControlsTextsAndStyles) {
    const DialogTemplateList list =
        ParseDialogTemplates("# comment\r\n"
                             "\r\n"
                             "DIALOG 7 100 50 \"Two words\" caption\r\n"
                             "  static 12 1 2 30 8 \"Time [s]\" nowrap\r\n"
                             "  custom 13 0 0 10 10 \"\" class:GridCtrlWnd\r\n"
                             "END\r\n"
                             "DIALOG 8 10 10 \"\"\n"
                             "  button -1 1 1 5 5 \"OK\" default\n"
                             "END");
    ASSERT_EQ(list.error, "");
    ASSERT_EQ(list.dialogs.size(), 2u);
    const DialogTemplate& dialog = *list.Find(7);
    EXPECT_EQ(dialog.caption, "Two words");
    EXPECT_EQ(dialog.cx, 100);
    EXPECT_EQ(dialog.cy, 50);
    EXPECT_TRUE(dialog.Has("caption"));
    ASSERT_EQ(dialog.controls.size(), 2u);
    const ControlTemplate& label = dialog.controls[0];
    EXPECT_EQ(label.kind, ControlKind::Static);
    EXPECT_EQ(label.text, "Time [s]");
    EXPECT_EQ(std::make_tuple(label.id, label.x, label.y, label.cx, label.cy),
              std::make_tuple(12, 1, 2, 30, 8));
    EXPECT_TRUE(label.Has("nowrap"));
    EXPECT_FALSE(label.Has("hidden"));
    EXPECT_EQ(dialog.Control(13)->StyleValue("class"), "GridCtrlWnd");
    EXPECT_EQ(dialog.Control(12)->StyleValue("class"), "");
    EXPECT_EQ(dialog.Control(99), nullptr);
    EXPECT_EQ(list.Find(8)->controls[0].id, -1);
    EXPECT_EQ(list.Find(9), nullptr);
}

TEST(DialogTemplate, ReportsTheFirstFaultyLine) {
    const std::pair<const char*, const char*> cases[] = {
        {"DIALOG 1 10 10 \"\"\n  knob 5 0 0 1 1 \"\"\nEND", "line 2: unknown control kind 'knob'"},
        {"DIALOG 1 10 10 \"\"\n  edit 5 0 0 1 1 \"\" shiny\nEND", "line 2: unknown style 'shiny'"},
        {"DIALOG 1 10 10 \"\"\n  edit 5 0 x 1 1 \"\"\nEND", "line 2: 'x' is not a number"},
        {"DIALOG 1 10 10 \"\"\n  edit 5 0 0 1 1 \"open\nEND", "line 2: text without closing quote"},
        {"DIALOG 1 10 10 \"\"\n  edit 5 0 0 1\nEND",
         "line 2: a control needs id, x, y, width, height and text"},
        {"  edit 5 0 0 1 1 \"\"", "line 1: control outside a dialog"},
        {"DIALOG 1 10 10 \"\"\n", "line 2: END missing"},
        {"DIALOG 1 10 10 \"\"\nDIALOG 2 1 1 \"\"\nEND",
         "line 2: DIALOG inside a dialog (END missing)"},
        {"END", "line 1: END outside a dialog"},
        {"DIALOG 1 10 10 \"\"\nEND\nDIALOG 1 10 10 \"\"\nEND", "line 3: dialog 1 twice"},
        {"DIALOG 1 10 \"\"\nEND", "line 1: DIALOG needs id, width, height and caption"},
    };
    for (const auto& [text, error] : cases) {
        EXPECT_EQ(ParseDialogTemplates(text).error, error) << text;
    }
}

TEST(DialogTemplate, ShippedTemplatesHoldEveryDialog) {
    const DialogTemplateList list = ParseDialogTemplates(ShippedTemplates());
    ASSERT_EQ(list.error, "");
    const std::tuple<int, int, int> sizes[] = {{100, 218, 113}, {101, 486, 325}, {130, 330, 140},
                                               {135, 186, 66},  {136, 215, 124}, {147, 277, 205},
                                               {155, 308, 235}};
    for (const auto& [id, cx, cy] : sizes) {
        const DialogTemplate* dialog = list.Find(id);
        ASSERT_NE(dialog, nullptr) << id;
        EXPECT_EQ(dialog->cx, cx) << id;
        EXPECT_EQ(dialog->cy, cy) << id;
        std::set<int> ids;
        for (const ControlTemplate& c : dialog->controls) {
            EXPECT_TRUE(ids.insert(c.id).second) << "control " << c.id << " twice in " << id;
            EXPECT_LE(c.x + c.cx, dialog->cx) << "control " << c.id << " of " << id;
            if (c.kind != ControlKind::DropList && c.kind != ControlKind::DropDown) {
                EXPECT_LE(c.y + c.cy, dialog->cy) << "control " << c.id << " of " << id;
            }
        }
    }
    EXPECT_EQ(list.dialogs.size(), std::size(sizes));
}

TEST(DialogTemplate, MainFormIsLaidOutInItsOrder) {
    const DialogTemplateList list = ParseDialogTemplates(ShippedTemplates());
    const DialogTemplate& form = *list.Find(101);
    const std::tuple<int, int, int, int, int> layout[] = {
        {1033, 1, 105, 34, 143},  {1032, 1, 129, 30, 40},   {1031, 1, 160, 34, 12},
        {1030, 7, 93, 471, 229},  {1200, 7, 2, 98, 42},     {1001, 12, 20, 90, 112},
        {1202, 7, 48, 98, 43},    {1203, 13, 59, 49, 10},   {1002, 11, 72, 90, 67},
        {1204, 108, 2, 130, 89},  {1205, 114, 17, 75, 11},  {1003, 197, 14, 35, 120},
        {1206, 114, 38, 73, 11},  {1004, 197, 35, 35, 122}, {1006, 115, 54, 51, 13},
        {1007, 172, 54, 63, 13},  {1005, 115, 71, 113, 14}, {1207, 241, 2, 237, 89},
        {1208, 247, 17, 43, 11},  {1008, 294, 14, 65, 67},  {1209, 247, 38, 70, 11},
        {1009, 326, 35, 33, 154}, {1210, 247, 56, 58, 8},   {1010, 256, 70, 102, 67},
        {1212, 375, 16, 73, 11},  {1011, 438, 32, 36, 129}, {1214, 375, 54, 92, 10},
        {1013, 438, 67, 36, 120}};
    ASSERT_EQ(form.controls.size(), std::size(layout));
    for (std::size_t i = 0; i < form.controls.size(); ++i) {
        const ControlTemplate& c = form.controls[i];
        EXPECT_EQ(std::make_tuple(c.id, c.x, c.y, c.cx, c.cy), layout[i]) << "position " << i;
    }
    EXPECT_EQ(form.Control(1030)->kind, ControlKind::Custom);
    EXPECT_EQ(form.Control(1030)->StyleValue("class"), "GridCtrlWnd");
    EXPECT_EQ(form.Control(1033)->kind, ControlKind::DropDown);
    EXPECT_TRUE(form.Control(1033)->Has("uppercase"));
    for (int editor : {1031, 1032, 1033}) {
        EXPECT_TRUE(form.Control(editor)->Has("hidden") && form.Control(editor)->Has("disabled"));
    }
    EXPECT_EQ(form.Control(1205)->text, "Time Out Timer [s]");
}

TEST(DialogTemplate, TestModeValuesAreOneNumberFieldEach) {
    const DialogTemplateList list = ParseDialogTemplates(ShippedTemplates());
    const DialogTemplate& dialog = *list.Find(147);
    for (const int id : {1065, 1066, 1067, 1068, 1069, 1070, 1119, 1121, 1123, 1125, 1075, 1077}) {
        const ControlTemplate* value = dialog.Control(id);
        ASSERT_NE(value, nullptr) << id;
        EXPECT_EQ(value->kind, ControlKind::UpDown);
        EXPECT_TRUE(value->Has("disabled") && value->Has("tabstop") && value->Has("arrowkeys"));
        // The label before it names it.
        EXPECT_EQ((value - 1)->kind, ControlKind::Static) << id;
    }
    EXPECT_TRUE(dialog.Control(1047)->Has("password"));
    EXPECT_TRUE(dialog.Control(1049)->Has("disabled"));
    // Save and Exit have ids of their own, so the language file's OK and Cancel texts
    // (keys ^1 and ^2) do not rename them.
    EXPECT_EQ(dialog.Control(1), nullptr);
    EXPECT_EQ(dialog.Control(2), nullptr);
    ASSERT_NE(dialog.Control(1126), nullptr);
    EXPECT_EQ(dialog.Control(1126)->text, "Save");
    EXPECT_TRUE(dialog.Control(1126)->Has("disabled") && dialog.Control(1126)->Has("default"));
    ASSERT_NE(dialog.Control(1127), nullptr);
    EXPECT_EQ(dialog.Control(1127)->text, "Exit");
}
