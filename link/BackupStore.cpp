#include "link/BackupStore.h"

#include "app/AppPaths.h"
#include "link/PortDevice.h"

#include <algorithm>
#include <filesystem>
#include <tuple>

namespace {

constexpr std::size_t kStampSize = 15; // "YYYYMMDD-HHMMSS"
constexpr const char* kExtension = ".dpm";

bool IsDigits(const std::string& text, std::size_t from, std::size_t count) {
    return text.size() >= from + count &&
           std::all_of(text.begin() + static_cast<std::ptrdiff_t>(from),
                       text.begin() + static_cast<std::ptrdiff_t>(from + count),
                       [](char c) { return c >= '0' && c <= '9'; });
}

// The backup a file name stands for: stamp, '-', port, optionally '-' and a sequence of 2 or
// more, ".dpm".
std::optional<SBackupFile> BackupOfName(const std::string& folder, const std::string& name) {
    const std::size_t extension = name.size() - std::min(name.size(), std::size_t{4});
    if (name.size() < kStampSize + 2 + 4 || name.compare(extension, 4, kExtension) != 0 ||
        !IsDigits(name, 0, 8) || name[8] != '-' || !IsDigits(name, 9, 6) ||
        name[kStampSize] != '-') {
        return std::nullopt;
    }
    SBackupFile backup{folder + "/" + name, name.substr(kStampSize + 1, extension - kStampSize - 1),
                       name.substr(0, kStampSize), 1};
    const std::size_t dash = backup.port.rfind('-');
    if (dash != std::string::npos && dash > 0 && IsDigits(backup.port, dash + 1, 1) &&
        IsDigits(backup.port, dash + 1, backup.port.size() - dash - 1) &&
        backup.port.size() - dash - 1 <= 6) {
        const int sequence = std::stoi(backup.port.substr(dash + 1));
        if (sequence >= 2) {
            backup.sequence = sequence;
            backup.port.erase(dash);
        }
    }
    return backup.port.empty() ? std::nullopt : std::optional(backup);
}

void RemoveOldBackups() {
    const std::vector<SBackupFile> backups = ListBackups();
    for (std::size_t i = kKeptBackups; i < backups.size(); ++i) {
        std::error_code error;
        std::filesystem::remove(backups[i].path, error);
    }
}

} // namespace

std::string BackupFolder() {
    return UserDataFolder() + "/backups";
}

std::string PortNameOf(const std::string& deviceOrPort) {
    if (deviceOrPort.empty()) {
        return "COM" + std::to_string(GetConfiguredPort());
    }
    if (deviceOrPort.size() == 1 && deviceOrPort[0] >= '1' && deviceOrPort[0] <= '8') {
        return "COM" + deviceOrPort;
    }
    const std::string prefix = "/dev/";
    const std::string path =
        deviceOrPort.rfind(prefix, 0) == 0 ? deviceOrPort.substr(prefix.size()) : deviceOrPort;
    std::string name;
    for (const char c : path) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') || c == '_' || c == '-';
        if (c != '/') {
            name += plain ? c : '_';
        }
    }
    return name;
}

std::string BackupStamp(std::time_t when) {
    std::tm local{};
    localtime_r(&when, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    return stamp;
}

SBackupSaved SaveBackup(const CDromelPgmDoc& radio, const std::string& portName, std::time_t when) {
    const std::string folder = BackupFolder();
    SBackupSaved saved;
    saved.result = MakePrivateFolders(folder);
    const std::string base = folder + "/" + BackupStamp(when) + "-" + portName;
    saved.path = base + kExtension;
    for (int sequence = 2; std::filesystem::exists(saved.path); ++sequence) {
        saved.path = base + "-" + std::to_string(sequence) + kExtension;
    }
    if (!saved.result) {
        return saved;
    }
    CDromelPgmDoc copy;
    copy.NewDocument();
    copy.ReplaceImage(radio.Image(), EDocChange::kRead);
    saved.result = copy.SaveFile(saved.path);
    if (saved.result) {
        RemoveOldBackups();
    }
    return saved;
}

SBackupSaved SaveBackup(const CDromelPgmDoc& radio, const std::string& portName) {
    return SaveBackup(radio, portName, std::time(nullptr));
}

std::vector<SBackupFile> ListBackups() {
    const std::string folder = BackupFolder();
    std::vector<SBackupFile> backups;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        std::error_code typeError;
        if (!it->is_regular_file(typeError)) {
            continue;
        }
        if (std::optional<SBackupFile> backup =
                BackupOfName(folder, it->path().filename().string())) {
            backups.push_back(*backup);
        }
    }
    std::sort(backups.begin(), backups.end(), [](const SBackupFile& a, const SBackupFile& b) {
        return std::tie(a.stamp, a.sequence, a.path) > std::tie(b.stamp, b.sequence, b.path);
    });
    return backups;
}

std::optional<SBackupFile> NewestBackup(const std::string& portName) {
    for (const SBackupFile& backup : ListBackups()) {
        if (backup.port == portName) {
            return backup;
        }
    }
    return std::nullopt;
}
