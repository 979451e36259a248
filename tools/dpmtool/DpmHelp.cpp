#include "DpmHelp.h"

#include "app/LangString.h"

#include <algorithm>

namespace {

constexpr std::size_t kMinLabelWidth = 16;

// text with every line after the first indented by indent.
std::string Indented(const std::string& text, const std::string& indent) {
    std::string out;
    for (const char c : text) {
        out += c;
        if (c == '\n') {
            out += indent;
        }
    }
    return out;
}

// "  LABEL   help" lines, the help texts in one column.
std::string OptionLines(const std::vector<std::pair<std::string, std::string>>& rows) {
    std::size_t width = kMinLabelWidth;
    for (const auto& row : rows) {
        width = std::max(width, row.first.size() + 2);
    }
    std::string out;
    for (const auto& [label, help] : rows) {
        out += "  " + label + std::string(width - label.size(), ' ') +
               Indented(help, std::string(width + 2, ' ')) + "\n";
    }
    return out;
}

std::string HelpRow() {
    return GetLangString("IDS_DPM_OPT_HELP");
}

} // namespace

std::string ToolHelp() {
    std::string out = FormatLangString("IDS_DPM_USAGE", {"COMMAND ARGUMENTS..."}) + "\n\n" +
                      GetLangString("IDS_DPM_COMMANDS") + "\n";
    for (const DpmCommand& c : DpmCommands()) {
        out += "  " + c.name + " " + CommandLineSynopsis(c.table) + "\n      " +
               Indented(GetLangString(c.summaryKey), "      ") + "\n";
    }
    out += "\n" + GetLangString("IDS_DPM_OPTIONS") + "\n" +
           OptionLines(
               {{"-h, --help", HelpRow()}, {"--version", GetLangString("IDS_DPM_OPT_VERSION")}}) +
           GetLangString("IDS_DPM_COMMAND_HELP") + "\n\n" + GetLangString("IDS_DPM_EXIT_STATUS") +
           "\n";
    return out;
}

std::string CommandHelp(const DpmCommand& command) {
    std::vector<std::pair<std::string, std::string>> rows;
    for (const SOptionEntry& option : command.table.options) {
        rows.emplace_back(OptionLabel(option), GetLangString(option.helpKey));
    }
    rows.emplace_back("-h, --help", HelpRow());
    return UsageText(command.name) + "\n" + GetLangString(command.summaryKey) + "\n\n" +
           GetLangString("IDS_DPM_OPTIONS") + "\n" + OptionLines(rows);
}

std::string CommandLineErrorText(const DpmCommand& command, const SCommandLineResult& result) {
    const char* key = nullptr;
    switch (result.error) {
    case ECommandLineError::kUnknownOption:
        key = "IDS_DPM_OPT_UNKNOWN";
        break;
    case ECommandLineError::kMissingValue:
        key = "IDS_DPM_OPT_NEEDS_VALUE";
        break;
    case ECommandLineError::kUnexpectedValue:
        key = "IDS_DPM_OPT_NO_VALUE";
        break;
    case ECommandLineError::kRepeated:
        key = "IDS_DPM_OPT_TWICE";
        break;
    case ECommandLineError::kEmptyArgument:
        key = "IDS_DPM_EMPTY_ARGUMENT";
        break;
    case ECommandLineError::kNone:
    case ECommandLineError::kTooFew:
    case ECommandLineError::kTooMany:
        break;
    }
    const std::string usage = UsageText(command.name);
    return key == nullptr ? usage
                          : FormatLangString(key, {command.name, result.option}) + "\n" + usage;
}
