// The backups of the radios' memories: before every write the radio is read and its memory
// kept as a data file YYYYMMDD-HHMMSS-<port>.dpm in this user's backup folder, so a write
// that goes wrong can be undone. The newest kKeptBackups backups are kept.
#pragma once

#include "app/FileResult.h"
#include "radio/DromelPgmDoc.h"

#include <ctime>
#include <optional>
#include <string>
#include <vector>

constexpr std::size_t kKeptBackups = 200;

struct SBackupFile {
    std::string path;
    std::string port;  // the port's name as in the file name (COM1, pts5, ttyUSB0)
    std::string stamp; // local time of the backup, "YYYYMMDD-HHMMSS"
    int sequence = 1;  // 2, 3... for the second, third backup of a port in one second
};

// result is the data file's save (FileResult), or the backup folder's creation that failed.
struct SBackupSaved {
    FileResult result;
    std::string path; // the backup file, also when its save failed
};

// UserDataFolder() + "/backups".
std::string BackupFolder();

// The port's name as dpmtool prints it and the backups are named: COM1 for port "1" (and
// COM<n> of the settings for ""), pts5 for "/dev/pts/5", ttyUSB0 for "/dev/ttyUSB0"; the
// slashes of any other path are dropped and characters other than letters, digits, '_' and
// '-' become '_'.
std::string PortNameOf(const std::string& deviceOrPort);

// "YYYYMMDD-HHMMSS" of the local time when.
std::string BackupStamp(std::time_t when);

// Saves radio's image (with this tool's own header) as a new backup of portName (a name of
// PortNameOf) at the local time when, through the data file's atomic save; radio itself,
// its path name included, is not touched. A name already taken gets -2, -3... before the
// extension. The backup folder is created (mode 0700) when missing, and after the save only
// the newest kKeptBackups backups stay.
SBackupSaved SaveBackup(const CDromelPgmDoc& radio, const std::string& portName, std::time_t when);
SBackupSaved SaveBackup(const CDromelPgmDoc& radio, const std::string& portName);

// Every backup of the folder, newest first (by time, then sequence); other files are left
// out.
std::vector<SBackupFile> ListBackups();
// The newest backup of portName, if any.
std::optional<SBackupFile> NewestBackup(const std::string& portName);
