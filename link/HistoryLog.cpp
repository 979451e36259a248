#include "link/HistoryLog.h"

#include "app/AppPaths.h"
#include "app/JsonText.h"

#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <map>
#include <pwd.h>
#include <unistd.h>

namespace {

// The text members of an entry, in the order of the line.
struct STextMember {
    const char* name;
    std::string SHistoryEntry::*member;
};

constexpr STextMember kTextMembers[] = {
    {"time", &SHistoryEntry::time},       {"user", &SHistoryEntry::user},
    {"program", &SHistoryEntry::program}, {"operation", &SHistoryEntry::operation},
    {"port", &SHistoryEntry::port},       {"device", &SHistoryEntry::device},
    {"byId", &SHistoryEntry::byId},       {"model", &SHistoryEntry::model},
    {"file", &SHistoryEntry::file},       {"sha256", &SHistoryEntry::sha256},
    {"backup", &SHistoryEntry::backup},   {"result", &SHistoryEntry::result},
};

std::string LoginName() {
    std::string buffer(4096, '\0');
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(geteuid(), &entry, buffer.data(), buffer.size(), &found) == 0 &&
        found != nullptr) {
        return found->pw_name;
    }
    const char* user = std::getenv("USER");
    return user != nullptr ? user : std::to_string(geteuid());
}

bool ParseNumber(const std::string& text, int& value) {
    const char* end = text.data() + text.size();
    const auto [at, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && at == end;
}

} // namespace

std::string HistoryFile() {
    return UserDataFolder() + "/history.jsonl";
}

std::string IsoLocalTime(std::time_t when) {
    std::tm local{};
    localtime_r(&when, &local);
    char text[40];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S%z", &local);
    std::string iso = text;
    iso.insert(iso.size() - 2, ":"); // +0100 becomes +01:00
    return iso;
}

SHistoryEntry HistoryNow(const std::string& program, const std::string& operation) {
    SHistoryEntry entry;
    entry.time = IsoLocalTime(std::time(nullptr));
    entry.user = LoginName();
    entry.program = program;
    entry.operation = operation;
    return entry;
}

std::string SerialByIdName(const std::string& device) {
    std::error_code error;
    const std::filesystem::path target = std::filesystem::weakly_canonical(device, error);
    if (error) {
        return {};
    }
    for (std::filesystem::directory_iterator it("/dev/serial/by-id", error), end;
         !error && it != end; it.increment(error)) {
        std::error_code linkError;
        if (std::filesystem::weakly_canonical(it->path(), linkError) == target && !linkError) {
            return it->path().filename().string();
        }
    }
    return {};
}

std::string HistoryLine(const SHistoryEntry& entry) {
    std::string line = "{";
    for (const STextMember& m : kTextMembers) {
        line += JsonString(m.name) + ": " + JsonString(entry.*m.member) + ", ";
    }
    line += "\"blocks\": " + std::to_string(entry.blocks) +
            ", \"differences\": " + std::to_string(entry.differences) + "}";
    return line;
}

bool ParseHistoryLine(const std::string& line, SHistoryEntry& entry) {
    std::map<std::string, std::string> members;
    if (!ParseFlatJsonObject(line, members)) {
        return false;
    }
    SHistoryEntry read;
    for (const STextMember& m : kTextMembers) {
        read.*m.member = members[m.name];
    }
    if (read.time.empty() || read.operation.empty() ||
        !ParseNumber(members["blocks"], read.blocks) ||
        !ParseNumber(members["differences"], read.differences)) {
        return false;
    }
    entry = read;
    return true;
}

FileResult AppendHistory(const SHistoryEntry& entry) {
    if (FileResult made = MakePrivateFolders(UserDataFolder()); !made) {
        return made;
    }
    const int fd = ::open(HistoryFile().c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
        return FileFailure(errno);
    }
    const std::string line = HistoryLine(entry) + "\n";
    const ssize_t written = ::write(fd, line.data(), line.size());
    // A short write only happens when the disk is full or the file size limit is reached.
    int error = written < 0 ? errno : static_cast<std::size_t>(written) < line.size() ? ENOSPC : 0;
    if (::close(fd) != 0 && error == 0) {
        error = errno;
    }
    return error == 0 ? FileResult{} : FileFailure(error);
}

std::vector<SHistoryEntry> ReadHistory() {
    std::vector<SHistoryEntry> entries;
    std::ifstream in(HistoryFile(), std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        SHistoryEntry entry;
        if (ParseHistoryLine(line, entry)) {
            entries.push_back(entry);
        }
    }
    return entries;
}
