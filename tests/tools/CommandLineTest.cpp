#include "app/CommandLine.h"

#include <gtest/gtest.h>

namespace {

const SCommandLineTable kTable{
    .positionals = "FILE",
    .options = {{.name = "port", .shortName = 'p', .valueName = "PORT", .repeatable = true},
                {.name = "model", .valueName = "K"},
                {.name = "json"}},
    .minPositionals = 1,
    .maxPositionals = 2,
};

std::vector<std::string> Words(const std::string& text) {
    std::vector<std::string> words;
    std::size_t at = 0;
    while (at <= text.size()) {
        const std::size_t space = text.find(' ', at);
        const std::size_t end = space == std::string::npos ? text.size() : space;
        words.push_back(text.substr(at, end - at));
        at = end + 1;
    }
    return words;
}

} // namespace

// Each line: the arguments, then what was read: "positionals | model | ports | json".
TEST(CommandLineTest, ReadsOptionsAndPositionalsInAnyOrder) {
    const std::pair<const char*, const char*> cases[] = {
        {"a.dpm", "a.dpm|-||0"},
        {"a.dpm --model 3", "a.dpm|3||0"},
        {"--model=3 a.dpm", "a.dpm|3||0"},
        {"--model= a.dpm", "a.dpm|||0"},
        {"a.dpm --model --json", "a.dpm|--json||0"},
        {"a.dpm --port 1 -p 2 -p3 --port=/dev/x=y --json", "a.dpm|-|1,2,3,/dev/x=y,|1"},
        {"a.dpm -- --json", "a.dpm,--json|-||0"},
        {"-- -h b", "-h,b|-||0"},
    };
    for (const auto& [args, expected] : cases) {
        const SCommandLineResult r = ParseCommandLine(Words(args), kTable);
        std::string read;
        for (const std::string& p : r.line.positionals) {
            read += (read.empty() ? "" : ",") + p;
        }
        read += "|" + r.line.Value("model", "-") + "|";
        for (const std::string& p : r.line.Values("port")) {
            read += p + ",";
        }
        read += std::string("|") + (r.line.Has("json") ? "1" : "0");
        EXPECT_EQ(r.error, ECommandLineError::kNone) << args << ": " << r.option;
        EXPECT_EQ(read, expected) << args;
    }
}

TEST(CommandLineTest, RefusesWhatTheTableDoesNotAllowAndNamesTheOption) {
    const std::tuple<const char*, ECommandLineError, const char*> cases[] = {
        {"a.dpm --frob", ECommandLineError::kUnknownOption, "--frob"},
        {"a.dpm --frob=1", ECommandLineError::kUnknownOption, "--frob"},
        {"a.dpm -x", ECommandLineError::kUnknownOption, "-x"},
        {"a.dpm -", ECommandLineError::kUnknownOption, "-"},
        {"a.dpm --mod 2", ECommandLineError::kUnknownOption, "--mod"},
        {"a.dpm --model", ECommandLineError::kMissingValue, "--model"},
        {"a.dpm -p", ECommandLineError::kMissingValue, "-p"},
        {"a.dpm --json=yes", ECommandLineError::kUnexpectedValue, "--json"},
        {"a.dpm --model 1 --model=2", ECommandLineError::kRepeated, "--model"},
        {"a.dpm --json --json", ECommandLineError::kRepeated, "--json"},
        {"a.dpm  b", ECommandLineError::kEmptyArgument, ""},
        {"--json", ECommandLineError::kTooFew, ""},
        {"a b c", ECommandLineError::kTooMany, ""},
    };
    for (const auto& [args, error, option] : cases) {
        const SCommandLineResult r = ParseCommandLine(Words(args), kTable);
        EXPECT_EQ(r.error, error) << args;
        EXPECT_EQ(r.option, option) << args;
    }
}

TEST(CommandLineTest, HelpStopsReadingAndOptionsFirstLeavesTheRestToTheCommand) {
    for (const char* args : {"--help", "-h --frob", "a.dpm --json -h"}) {
        const SCommandLineResult r = ParseCommandLine(Words(args), kTable);
        EXPECT_TRUE(r.line.help) << args;
        EXPECT_EQ(r.error, ECommandLineError::kNone) << args;
    }
    EXPECT_FALSE(ParseCommandLine(Words("a.dpm --helper"), kTable).line.help);

    const SCommandLineTable tool{.options = {{.name = "version"}}, .optionsFirst = true};
    const SCommandLineResult r = ParseCommandLine(Words("show a.dpm --version -h"), tool);
    EXPECT_EQ(r.error, ECommandLineError::kNone);
    EXPECT_FALSE(r.line.help);
    EXPECT_FALSE(r.line.Has("version"));
    EXPECT_EQ(r.line.positionals, Words("show a.dpm --version -h"));
    EXPECT_TRUE(ParseCommandLine(Words("--version show"), tool).line.Has("version"));
}

TEST(CommandLineTest, SynopsisFollowsTheTable) {
    EXPECT_EQ(CommandLineSynopsis(kTable), "FILE [--port PORT]... [--model K] [--json]");
    EXPECT_EQ(OptionLabel(kTable.options[0]), "-p, --port PORT");
    EXPECT_EQ(OptionLabel(kTable.options[2]), "--json");
}
