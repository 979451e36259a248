// A command line read against a declared table of options: "--name VALUE", "--name=VALUE",
// "-s VALUE" for an option with a short name, flags without a value, and the arguments that
// are not options (positional), which may come before, between or after the options. "--"
// ends the options: everything after it is positional. "--help" and "-h" are known to every
// table. Standard library only, so dpmtool and radiosim read their command lines alike.
#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <vector>

struct SOptionEntry {
    std::string name{};      // the long name without its dashes, e.g. "port"
    char shortName = 0;      // e.g. 'p' for "-p", 0 for none
    std::string valueName{}; // e.g. "PORT" when the option takes a value, empty for a flag
    bool repeatable = false; // may be given more than once (each value is kept)
    std::string helpKey{};   // the key of its help line in the language file, or empty
};

struct SCommandLineTable {
    std::string positionals{}; // how the positional arguments read in the usage, e.g. "FILE"
    std::vector<SOptionEntry> options{};
    std::size_t minPositionals = 0;
    std::size_t maxPositionals = static_cast<std::size_t>(-1);
    // The options end at the first positional argument (a command's name and its own
    // arguments follow).
    bool optionsFirst = false;
};

enum class ECommandLineError {
    kNone,
    kUnknownOption,   // an option the table does not hold
    kMissingValue,    // an option that takes a value came last
    kUnexpectedValue, // "--flag=VALUE" for a flag
    kRepeated,        // an option given twice that may be given once
    kEmptyArgument,   // an empty positional argument
    kTooFew,          // fewer positional arguments than the table needs
    kTooMany,         // more than it takes
};

struct SCommandLine {
    bool help = false; // --help or -h: nothing after it was read
    std::map<std::string, std::vector<std::string>> values; // by long name; "" for a flag
    std::vector<std::string> positionals;

    bool Has(const std::string& name) const { return values.count(name) != 0; }
    // The last value given for name, or fallback when it was not given.
    std::string Value(const std::string& name, const std::string& fallback = {}) const;
    // Every value given for name, in order.
    std::vector<std::string> Values(const std::string& name) const;
};

struct SCommandLineResult {
    ECommandLineError error = ECommandLineError::kNone;
    std::string option; // the option (as written, without any "=VALUE") the error names
    SCommandLine line;
};

SCommandLineResult ParseCommandLine(const std::vector<std::string>& args,
                                    const SCommandLineTable& table);

// The usage that the table gives, after the program and command names, e.g.
// "FILE [--model K] [--force]"; a repeatable option is followed by "...".
std::string CommandLineSynopsis(const SCommandLineTable& table);

// "--port PORT", "-p, --port PORT": an option as its help line starts.
std::string OptionLabel(const SOptionEntry& option);
