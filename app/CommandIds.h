// The program's command ids: one per menu item, toolbar button and accelerator. They also
// key the toolbar tooltips (IDS_TIP_<id>) in the language file.
#pragma once

constexpr int ID_FILE_NEW = 57600;
constexpr int ID_FILE_OPEN = 57601;
constexpr int ID_FILE_SAVE = 57603;
constexpr int ID_FILE_SAVE_AS = 57604;
constexpr int ID_FILE_PRINT_SETUP = 57606;
constexpr int ID_FILE_PRINT = 57607;
constexpr int ID_FILE_PRINT_PREVIEW = 57609;
constexpr int ID_FILE_MRU_FILE1 = 57616; // the recent files are 57616 to 57619
constexpr int ID_EDIT_CLEAR = 57632;
constexpr int ID_EDIT_COPY = 57634;
constexpr int ID_EDIT_CUT = 57635;
constexpr int ID_EDIT_PASTE = 57637;
constexpr int ID_EDIT_SELECT_ALL = 57642;
constexpr int ID_EDIT_UNDO = 57643;
constexpr int ID_EDIT_REDO = 57644;
constexpr int ID_APP_ABOUT = 57664;
constexpr int ID_APP_EXIT = 57665;
constexpr int ID_SETUP_PORT = 32771;
constexpr int ID_PROGRAM_READ = 32772;
constexpr int ID_PROGRAM_WRITE = 32773;
constexpr int ID_PROGRAM_TEST = 32774;
constexpr int ID_HELP_HELP = 32775;
constexpr int ID_SETUP_LANGUAGE = 32776;
constexpr int ID_NEXT_LANGUAGE = 32778;
constexpr int ID_PROGRAM_TESTFREQ = 32784;
constexpr int ID_PROGRAM_COMPARE = 32795;
constexpr int ID_PROGRAM_RESTORE = 32796;
constexpr int ID_EDIT_INSERT_CHANNEL = 32810;
constexpr int ID_EDIT_DELETE_CHANNEL = 32811;
constexpr int ID_EDIT_MOVE_UP = 32812;
constexpr int ID_EDIT_MOVE_DOWN = 32813;
constexpr int ID_EDIT_SORT = 32814;
constexpr int ID_FILE_IMPORT_CSV = 32800;
constexpr int ID_FILE_EXPORT_CSV = 32801;

constexpr int kRecentFileCount = 4;
