#include "app/CommandLine.h"

namespace {

const SOptionEntry* FindLong(const SCommandLineTable& table, const std::string& name) {
    for (const SOptionEntry& option : table.options) {
        if (option.name == name) {
            return &option;
        }
    }
    return nullptr;
}

const SOptionEntry* FindShort(const SCommandLineTable& table, char name) {
    for (const SOptionEntry& option : table.options) {
        if (option.shortName != 0 && option.shortName == name) {
            return &option;
        }
    }
    return nullptr;
}

} // namespace

std::string SCommandLine::Value(const std::string& name, const std::string& fallback) const {
    const auto found = values.find(name);
    return found == values.end() ? fallback : found->second.back();
}

std::vector<std::string> SCommandLine::Values(const std::string& name) const {
    const auto found = values.find(name);
    return found == values.end() ? std::vector<std::string>() : found->second;
}

SCommandLineResult ParseCommandLine(const std::vector<std::string>& args,
                                    const SCommandLineTable& table) {
    SCommandLineResult result;
    SCommandLine& line = result.line;
    const auto fail = [&](ECommandLineError error, const std::string& option) {
        result.error = error;
        result.option = option;
        return result;
    };
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.empty() || arg[0] != '-') {
            if (arg.empty()) {
                return fail(ECommandLineError::kEmptyArgument, {});
            }
            line.positionals.push_back(arg);
            if (table.optionsFirst) {
                line.positionals.insert(line.positionals.end(), args.begin() + i + 1, args.end());
                break;
            }
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (arg == "--help" || arg == "-h") {
            line.help = true;
            return result;
        }
        const bool isLong = arg.size() > 2 && arg[1] == '-';
        std::string written;
        const SOptionEntry* option = nullptr;
        bool hasAttached = false;
        std::string value;
        if (isLong) {
            const std::size_t equals = arg.find('=');
            written = arg.substr(0, equals);
            option = FindLong(table, written.substr(2));
            if (equals != std::string::npos) {
                hasAttached = true;
                value = arg.substr(equals + 1);
            }
        } else {
            written = arg.substr(0, 2);
            option = arg.size() >= 2 ? FindShort(table, arg[1]) : nullptr;
            if (arg.size() > 2) {
                hasAttached = true;
                value = arg.substr(2);
            }
        }
        if (option == nullptr || (!isLong && hasAttached && option->valueName.empty())) {
            return fail(ECommandLineError::kUnknownOption, isLong ? written : arg);
        }
        if (option->valueName.empty() && hasAttached) {
            return fail(ECommandLineError::kUnexpectedValue, written);
        }
        if (!option->valueName.empty() && !hasAttached) {
            if (i + 1 >= args.size()) {
                return fail(ECommandLineError::kMissingValue, written);
            }
            value = args[++i];
        }
        std::vector<std::string>& given = line.values[option->name];
        if (!given.empty() && !option->repeatable) {
            return fail(ECommandLineError::kRepeated, written);
        }
        given.push_back(value);
    }
    if (line.positionals.size() < table.minPositionals) {
        return fail(ECommandLineError::kTooFew, {});
    }
    if (line.positionals.size() > table.maxPositionals) {
        return fail(ECommandLineError::kTooMany, {});
    }
    return result;
}

std::string OptionLabel(const SOptionEntry& option) {
    std::string label;
    if (option.shortName != 0) {
        label = std::string("-") + option.shortName + ", ";
    }
    label += "--" + option.name;
    if (!option.valueName.empty()) {
        label += " " + option.valueName;
    }
    return label;
}

std::string CommandLineSynopsis(const SCommandLineTable& table) {
    std::string synopsis = table.positionals;
    for (const SOptionEntry& option : table.options) {
        std::string part = "[--" + option.name;
        if (!option.valueName.empty()) {
            part += " " + option.valueName;
        }
        part += option.repeatable ? "]..." : "]";
        synopsis += (synopsis.empty() ? "" : " ") + part;
    }
    return synopsis;
}
