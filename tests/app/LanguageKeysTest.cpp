// The shipped language files hold every key the program looks up: each file has the keys of
// the English one, and every text key the sources name is in the English file.
#include "app/CommandTable.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

const fs::path kSource = DROMEL_SOURCE_DIR;

// The keys of a language file, each as "[section]key".
std::set<std::string> KeysOf(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::set<std::string> keys;
    std::string section;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.empty() || line[0] == ';') {
            continue;
        }
        if (line[0] == '[') {
            section = line.substr(0, line.find(']') + 1);
        } else if (const std::size_t equals = line.find('='); equals != std::string::npos) {
            keys.insert(section + line.substr(0, equals));
        }
    }
    return keys;
}

// The keys of the English file without their sections.
std::set<std::string> EnglishNames() {
    std::set<std::string> names;
    for (const std::string& key : KeysOf(kSource / "res/lang_en.lng")) {
        names.insert(key.substr(key.find(']') + 1));
    }
    return names;
}

bool HasKeyStartingWith(const std::set<std::string>& names, const std::string& prefix) {
    const auto at = names.lower_bound(prefix);
    return at != names.end() && at->rfind(prefix, 0) == 0;
}

// Every string literal of the shape "IDS_..." or "MENU_..." in the program's sources, with
// the file and line it is in; a literal followed by + is the start of keys made at run time.
struct KeyUse {
    std::string key;
    bool prefix;
    std::string where;
};

std::vector<KeyUse> KeysNamedInTheSources() {
    const std::regex literal(R"re("((?:IDS|MENU)_[A-Za-z0-9_]*)"(\s*\+)?)re");
    std::vector<KeyUse> uses;
    for (const char* folder : {"app", "radio", "link", "grid", "views", "tools"}) {
        for (const auto& entry : fs::recursive_directory_iterator(kSource / folder)) {
            const std::string ext = entry.path().extension().string();
            if (ext != ".cpp" && ext != ".h") {
                continue;
            }
            std::ifstream in(entry.path());
            std::string line;
            for (int number = 1; std::getline(in, line); ++number) {
                for (std::sregex_iterator m(line.begin(), line.end(), literal), end; m != end;
                     ++m) {
                    uses.push_back({(*m)[1].str(), (*m)[2].matched,
                                    fs::relative(entry.path(), kSource).string() + ":" +
                                        std::to_string(number)});
                }
            }
        }
    }
    return uses;
}

} // namespace

TEST(LanguageKeys, EveryShippedLanguageHasTheKeysOfTheEnglishFile) {
    const std::set<std::string> english = KeysOf(kSource / "res/lang_en.lng");
    ASSERT_GT(english.size(), 100u);
    int others = 0;
    for (const auto& entry : fs::directory_iterator(kSource / "res")) {
        if (entry.path().extension() != ".lng" || entry.path().stem() == "lang_en") {
            continue;
        }
        ++others;
        const std::set<std::string> keys = KeysOf(entry.path());
        for (const std::string& key : english) {
            EXPECT_TRUE(keys.count(key)) << entry.path().filename().string() << " lacks " << key;
        }
    }
    EXPECT_GE(others, 1);
}

TEST(LanguageKeys, EveryKeyTheSourcesNameIsInTheEnglishFile) {
    const std::set<std::string> names = EnglishNames();
    const std::vector<KeyUse> uses = KeysNamedInTheSources();
    ASSERT_GT(uses.size(), 50u);
    for (const KeyUse& use : uses) {
        if (use.prefix) {
            EXPECT_TRUE(HasKeyStartingWith(names, use.key)) << use.where << ": " << use.key;
        } else {
            EXPECT_TRUE(names.count(use.key)) << use.where << ": " << use.key;
        }
    }
}

// Toolbar tooltips are keyed IDS_TIP_<command id>: each names a command, and each command's
// menu key is there.
TEST(LanguageKeys, TooltipsNameCommandsAndEveryMenuTextIsThere) {
    const std::set<std::string> names = EnglishNames();
    std::set<std::string> commands;
    for (const SCommandInfo& info : kCommandTable) {
        commands.insert("IDS_TIP_" + std::to_string(info.nId));
        if (info.pszMenuKey != nullptr) {
            EXPECT_TRUE(names.count(info.pszMenuKey)) << info.pszMenuKey;
        }
    }
    int tips = 0;
    for (const std::string& name : names) {
        if (name.rfind("IDS_TIP_", 0) == 0) {
            ++tips;
            EXPECT_TRUE(commands.count(name)) << name << " names no command";
        }
    }
    EXPECT_GE(tips, 1);
}
