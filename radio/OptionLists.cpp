#include "radio/OptionLists.h"

#include "app/LangString.h"
#include "app/Settings.h"
#include "radio/ImageMap.h"
#include "radio/ToneTables.h"

#include <cstdlib>

namespace {

constexpr std::size_t kEntryBuffer = 30;

std::string Tenths(int t) {
    return std::to_string(t / 10) + "." + std::to_string(t % 10);
}

void AddTable(OptionList& list, const ToneTable& table) {
    for (std::size_t i = 0; i < table.count; ++i) {
        list.emplace_back(table.slots[i]);
    }
}

} // namespace

OptionList ModelList() {
    OptionList list;
    for (int k = 0; k < 16; ++k) {
        std::string name = GetSettingString("model", "fdisp" + std::to_string(k), "", kEntryBuffer);
        if (name.empty()) {
            break;
        }
        list.push_back(std::move(name));
    }
    return list;
}

OptionList MonitorKeyList() {
    OptionList list;
    for (int k = 0; k <= 4; ++k) {
        std::string entry = GetLangValue("monikey", std::to_string(k), "", kEntryBuffer);
        if (!entry.empty()) {
            list.push_back(std::move(entry));
        }
    }
    return list;
}

OptionList TimeOutList() {
    OptionList list{GetLangString("IDS_OFF")};
    for (int s = 30; s <= 300; s += 30) {
        list.push_back(std::to_string(s));
    }
    return list;
}

OptionList SquelchList() {
    OptionList list;
    for (int level = 0; level <= 9; ++level) {
        list.push_back(std::to_string(level));
    }
    return list;
}

OptionList ScanTypeList() {
    OptionList list;
    for (int k = 0;; ++k) {
        std::string entry = GetLangValue("SCANTYPE", std::to_string(k), "", kEntryBuffer);
        if (entry.empty()) {
            return list;
        }
        list.push_back(std::move(entry));
    }
}

OptionList PriorityList() {
    OptionList list{GetLangString("IDS_NONE")};
    for (int n = 1; n <= kScanChannelCount; ++n) {
        list.push_back(std::to_string(n));
    }
    return list;
}

OptionList RevertList(bool prioritySet) {
    OptionList list;
    const int count = prioritySet ? 4 : 3;
    for (int k = 0; k < count; ++k) {
        const std::string key = std::to_string(k);
        list.push_back(GetLangValue("REVERTCH", key, "mode " + key, kEntryBuffer));
    }
    return list;
}

OptionList LoopBackList() {
    OptionList list{GetLangString("IDS_NONE")};
    for (int t = 3; t <= 50; ++t) {
        list.push_back(Tenths(t));
    }
    return list;
}

OptionList DropoutList() {
    OptionList list;
    for (int t = 5; t <= 50; t += 5) {
        list.push_back(Tenths(t));
    }
    return list;
}

OptionList ToneList() {
    const std::string mask = GetSettingString("setup", "ctcdcs", "13", 8);
    const long bits = std::strtol(mask.c_str(), nullptr, 10);
    OptionList list{GetLangString("IDS_NONE")};
    if (bits & 1) {
        AddTable(list, CtcssTable38());
    }
    if (bits & 2) {
        AddTable(list, CtcssTable50());
    }
    if (bits & 4) {
        AddTable(list, DcsNormalTable());
    }
    if (bits & 8) {
        AddTable(list, DcsInvertedTable());
    }
    return list;
}
