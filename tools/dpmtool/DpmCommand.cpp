#include "DpmCommand.h"

#include "app/LangString.h"

#include <algorithm>

namespace {

std::vector<DpmCommand>& Registry() {
    static std::vector<DpmCommand> commands;
    return commands;
}

} // namespace

DpmCommandRegistration::DpmCommandRegistration(DpmCommand command) {
    auto& commands = Registry();
    const auto at = std::lower_bound(
        commands.begin(), commands.end(), command.name,
        [](const DpmCommand& c, const std::string& name) { return c.name < name; });
    commands.insert(at, std::move(command));
}

const std::vector<DpmCommand>& DpmCommands() {
    return Registry();
}

const DpmCommand* FindDpmCommand(const std::string& name) {
    for (const DpmCommand& c : Registry()) {
        if (c.name == name) {
            return &c;
        }
    }
    return nullptr;
}

std::string UsageText(const std::string& name) {
    const DpmCommand* command = FindDpmCommand(name);
    const std::string synopsis = command ? CommandLineSynopsis(command->table) : std::string();
    return FormatLangString("IDS_DPM_USAGE", {name + " " + synopsis});
}

void ThrowUsage(const std::string& name) {
    throw DpmError{kExitUsage, UsageText(name)};
}

bool ParseIndex(const std::string& text, int& value) {
    if (text.empty() || text.size() > 6) {
        return false;
    }
    value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
        value = value * 10 + (c - '0');
    }
    return true;
}
