// The settings in force: setting.ini beside the program, and the user's own setting.ini when
// the program may not write its folder (an installed program).
//
// The program writes only [setup] language and com. When the program's folder, or its
// setting.ini, may not be written, those writes go to the user's file
// $XDG_CONFIG_HOME/DromelPgm/setting.ini (~/.config when XDG_CONFIG_HOME is unset), created
// with its folder on the first write, and every read takes that file's keys before the
// shipped file's. The model table is taken whole from one file: the user's when it has a
// [model] section of its own, else the shipped one. A program whose folder is writable keeps
// everything in its own setting.ini and never reads the user's file.
#pragma once

#include "app/AtomicFile.h"

#include <cstddef>
#include <string>

// $XDG_CONFIG_HOME/DromelPgm/setting.ini, or ~/.config/DromelPgm/setting.ini; empty when the
// home folder is unknown.
std::string UserSettingFile();

// True when folder may be written by this process: the system allows it (access W_OK) and
// its permission bits grant writing to this user (owner, group or others, whichever applies).
// A folder marked read-only thus counts as read-only even for root, who could write it anyway.
bool IsFolderWritable(const std::string& folder);

// True when the settings go to and come from the user's file as well (see above).
bool UsesUserSettings();

// The file the model table is taken from: the user's when it is in use and has a [model]
// section, else setting.ini beside the program.
std::string ModelTableFile();

// [section] key of the settings in force, cut to bufferSize - 1; def when no file has it.
std::string GetSettingString(const std::string& section, const std::string& key,
                             const std::string& def, std::size_t bufferSize);

// Writes [section] key=value into the settings file the program may write.
[[nodiscard]] FileResult WriteSettingString(const std::string& section, const std::string& key,
                                            const std::string& value);
