// Every command of the program once: its id, the object that handles it, the language-file
// key of its menu text, the menu text used when the language file has none, and its
// accelerators. The frame makes one QAction per entry; each owner connects that action to one
// handler of its own.
#pragma once

#include "app/CommandIds.h"

enum class ECommandOwner { kApp, kFrame, kView };

struct SCommandInfo {
    int nId;
    ECommandOwner eOwner;
    const char* pszMenuKey; // null: the command has no menu item
    const char* pszText;
    const char* pszShortcut; // empty: no accelerator; "; " between several
};

inline constexpr SCommandInfo kCommandTable[] = {
    {ID_FILE_NEW, ECommandOwner::kApp, "MENU_FILE_NEW", "&New\tCtrl+N", "Ctrl+N"},
    {ID_FILE_OPEN, ECommandOwner::kApp, "MENU_FILE_OPEN", "&Open...\tCtrl+O", "Ctrl+O"},
    {ID_FILE_SAVE, ECommandOwner::kApp, "MENU_FILE_SAVE", "&Save\tCtrl+S", "Ctrl+S"},
    {ID_FILE_SAVE_AS, ECommandOwner::kApp, "MENU_FILE_SAVE_AS", "Save &As...", ""},
    {ID_FILE_IMPORT_CSV, ECommandOwner::kApp, "MENU_FILE_IMPORT_CSV", "&Import Channels...", ""},
    {ID_FILE_EXPORT_CSV, ECommandOwner::kApp, "MENU_FILE_EXPORT_CSV", "&Export Channels...", ""},
    {ID_FILE_PRINT, ECommandOwner::kView, "MENU_FILE_PRINT", "&Print...\tCtrl+P", "Ctrl+P"},
    {ID_FILE_PRINT_PREVIEW, ECommandOwner::kView, "MENU_FILE_PRINT_PREVIEW", "Print Pre&view", ""},
    {ID_FILE_PRINT_SETUP, ECommandOwner::kApp, "MENU_FILE_PRINT_SETUP", "P&rint Setup...", ""},
    {ID_APP_EXIT, ECommandOwner::kApp, "MENU_APP_EXIT", "E&xit", ""},
    {ID_EDIT_UNDO, ECommandOwner::kFrame, "MENU_EDIT_UNDO", "&Undo\tCtrl+Z",
     "Ctrl+Z; Alt+Backspace"},
    {ID_EDIT_REDO, ECommandOwner::kFrame, "MENU_EDIT_REDO", "&Redo\tCtrl+Y",
     "Ctrl+Y; Ctrl+Shift+Z"},
    {ID_EDIT_CUT, ECommandOwner::kView, "MENU_EDIT_CUT", "Cu&t\tCtrl+X", "Ctrl+X; Shift+Del"},
    {ID_EDIT_COPY, ECommandOwner::kView, "MENU_EDIT_COPY", "&Copy\tCtrl+C", "Ctrl+C; Ctrl+Ins"},
    {ID_EDIT_PASTE, ECommandOwner::kView, "MENU_EDIT_PASTE", "&Paste\tCtrl+V", "Ctrl+V; Shift+Ins"},
    {ID_EDIT_CLEAR, ECommandOwner::kView, "MENU_EDIT_CLEAR", "&Delete\tDel", "Del"},
    {ID_EDIT_SELECT_ALL, ECommandOwner::kView, "MENU_EDIT_SELECT_ALL", "Select &All\tCtrl+A",
     "Ctrl+A"},
    {ID_EDIT_INSERT_CHANNEL, ECommandOwner::kView, "MENU_EDIT_INSERT_CHANNEL", "&Insert Channel",
     ""},
    {ID_EDIT_DELETE_CHANNEL, ECommandOwner::kView, "MENU_EDIT_DELETE_CHANNEL", "D&elete Channel",
     ""},
    {ID_EDIT_MOVE_UP, ECommandOwner::kView, "MENU_EDIT_MOVE_UP", "Move &Up\tCtrl+Up", "Ctrl+Up"},
    {ID_EDIT_MOVE_DOWN, ECommandOwner::kView, "MENU_EDIT_MOVE_DOWN", "Move Do&wn\tCtrl+Down",
     "Ctrl+Down"},
    {ID_EDIT_SORT, ECommandOwner::kView, "MENU_EDIT_SORT", "&Sort by Frequency", ""},
    {ID_PROGRAM_READ, ECommandOwner::kFrame, "MENU_PROGRAM_READ", "&Read from Radio\tCtrl+R",
     "Ctrl+R"},
    {ID_PROGRAM_WRITE, ECommandOwner::kFrame, "MENU_PROGRAM_WRITE", "&Write to Radio\tCtrl+W",
     "Ctrl+W"},
    {ID_PROGRAM_COMPARE, ECommandOwner::kFrame, "MENU_PROGRAM_COMPARE", "&Compare with Radio", ""},
    {ID_PROGRAM_RESTORE, ECommandOwner::kFrame, "MENU_PROGRAM_RESTORE", "Restore &Backup...", ""},
    // The menu text names Ctrl+T, but Test Mode has no accelerator.
    {ID_PROGRAM_TEST, ECommandOwner::kFrame, "MENU_PROGRAM_TEST", "&Test Mode\tCtrl+T", ""},
    {ID_PROGRAM_TESTFREQ, ECommandOwner::kApp, "MENU_PROGRAM_TestFreq", "Test &Frequency", ""},
    {ID_SETUP_PORT, ECommandOwner::kApp, "MENU_SETUP_PORT", "&Communication Port", ""},
    {ID_SETUP_LANGUAGE, ECommandOwner::kApp, "MENU_SETUP_LANGUAGE", "&Language Setup", ""},
    {ID_NEXT_LANGUAGE, ECommandOwner::kApp, nullptr, "", ""},
    {ID_HELP_HELP, ECommandOwner::kFrame, "MENU_HELP_HELP", "&Help\tF1", "F1"},
    {ID_APP_ABOUT, ECommandOwner::kApp, "MENU_APP_ABOUT", "&About BriselPgm...", ""},
};

// The entry of command id; null for an id that is not a command of the program.
constexpr const SCommandInfo* FindCommand(int nId) {
    for (const SCommandInfo& info : kCommandTable) {
        if (info.nId == nId) {
            return &info;
        }
    }
    return nullptr;
}
