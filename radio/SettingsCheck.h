// Whether the settings in force can serve the program once setting.ini is known to be there:
// a settings file that is a folder, cannot be read or names no radio models leaves the model
// list empty, and the program and dpmtool say so when they start.
#pragma once

#include <string>

enum class ESettingsProblem {
    kNone,
    kNotAFile,   // setting.ini is a folder, a pipe or a device
    kUnreadable, // setting.ini cannot be opened for reading
    kNoModels,   // the model table names no model (no [model] fdisp0)
};

struct SSettingsCheck {
    ESettingsProblem problem = ESettingsProblem::kNone;
    std::string file;   // the file the problem is in
    std::string reason; // the system's reason for kUnreadable
};

SSettingsCheck CheckSettings();

// What is wrong with which file and what to do, from the language file in force; empty for
// ESettingsProblem::kNone.
std::string SettingsProblemText(const SSettingsCheck& check);
