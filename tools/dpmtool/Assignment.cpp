#include "Assignment.h"

#include "DpmCommand.h"
#include "radio/SettingNames.h"
#include "radio/ValueNotice.h"

#include "app/AsciiText.h"
#include "app/LangString.h"
#include "radio/CellTyping.h"
#include "radio/TestFreqRules.h"
#include "radio/TestModeRules.h"
#include "radio/ValueKeywords.h"

namespace {

struct Refusal {
    std::string reason;
};

// A check box's or switch's word: true or on, false or off (case ignored).
bool OnOffWord(const std::string& value) {
    const int on = CheckOfWord(value);
    if (on < 0) {
        throw Refusal{"\"" + value + "\" is neither true (on) nor false (off)"};
    }
    return on == 1;
}

// A yes/no or width cell's word: the list entry it stands for.
int ListWord(int col, const std::string& value) {
    const int k = ChannelListIndexOfWord(col, value);
    if (k < 0) {
        throw Refusal{"\"" + value + "\" is neither " +
                      (col == kColBand ? "wide nor narrow" : "true (yes) nor false (no)")};
    }
    return k;
}

// The frequency text of a cell assignment, refused unless it could have been typed.
const std::string& TypedFreq(const std::string& value) {
    const ETyping typing = CheckFreqTyping(value);
    if (typing != ETyping::kTypable) {
        throw Refusal{TypingRefusal(typing, false, value)};
    }
    return value;
}

// The tone text of a cell assignment, refused unless it could have been typed or chosen;
// "none" (case ignored) stands for the none entry in every language.
std::string TypedTone(const std::string& value) {
    if (IsNoneToneWord(value)) {
        return {};
    }
    const ETyping typing = CheckToneTyping(value, GetLangString("IDS_NONE"));
    if (typing != ETyping::kTypable) {
        throw Refusal{TypingRefusal(typing, true, value)};
    }
    return value;
}

int ListIndex(const std::string& value, std::size_t entries) {
    int index = 0;
    if (!ParseIndex(value, index) || static_cast<std::size_t>(index) >= entries) {
        throw Refusal{"index \"" + value + "\" is outside its list (0 to " +
                      std::to_string(static_cast<int>(entries) - 1) + ")"};
    }
    return index;
}

void ApplyModel(CDromelPgmDoc& doc, const std::string& value) {
    const int k = ListIndex(value, ModelList().size());
    if (IsModelChange(doc, k)) {
        ChangeModel(doc, k);
    }
}

void ApplyFormOption(CDromelPgmDoc& doc, FormOption option, const std::string& value) {
    const int index = ListIndex(value, FormOptionEntries(doc, option).size());
    const ScanControls scan = UpdateScanControls(doc);
    if (option == FormOption::ScanType && !scan.scanTypeEnabled) {
        throw Refusal{"the scan type is disabled: fewer than two of channels 1 to " +
                      std::to_string(kScanChannelCount) + " are in the scan list"};
    }
    const bool scanSetting = option == FormOption::Priority || option == FormOption::Revert ||
                             option == FormOption::LoopBack || option == FormOption::Dropout;
    if (scanSetting && !scan.scanActive) {
        throw Refusal{"the scan settings are disabled: no scan type is chosen"};
    }
    if (option != FormOption::Priority) {
        ChangeFormOption(doc, option, index);
    } else if (!ChangePriorityChannel(doc, index)) {
        throw Refusal{"channel " + value + " is empty and cannot be the priority channel"};
    }
}

// "ch12.rx" gives prefix "ch", number 12, field "rx"; false when the key has another form.
bool SplitChannelKey(const std::string& key, const std::string& prefix, int& n,
                     std::string& field) {
    const std::size_t dot = key.find('.');
    if (dot == std::string::npos || key.compare(0, prefix.size(), prefix) != 0) {
        return false;
    }
    field = key.substr(dot + 1);
    return ParseIndex(key.substr(prefix.size(), dot - prefix.size()), n);
}

void CheckChannelNumber(int n) {
    if (n < 1 || n > kChannelCount) {
        throw Refusal{"channel " + std::to_string(n) + " does not exist (1 to 16)"};
    }
}

// Returns how a frequency or tone was stored (as given for the other cells).
SStoredValue ApplyChannel(CDromelPgmDoc& doc, int n, const std::string& field,
                          const std::string& value) {
    CheckChannelNumber(n);
    for (const auto& cell : kCellNames) {
        if (field != cell.key) {
            continue;
        }
        const int col = cell.value;
        if (IsChannelCellReadOnly(doc, n, col)) {
            throw Refusal{"the cell is greyed: " + std::string(doc.IsRxEmpty(n)
                                                                   ? "the channel is empty"
                                                                   : "the channel has no "
                                                                     "transmit frequency")};
        }
        switch (col) {
        case kColRxFreq:
        case kColTxFreq:
            return CommitChannelFreq(doc, n, col == kColRxFreq, TypedFreq(value));
        case kColRxTone:
        case kColTxTone:
            return CommitChannelTone(doc, n, col == kColRxTone, TypedTone(value));
        default: {
            return CommitChannelList(doc, n, col, ListWord(col, value));
        }
        }
    }
    throw Refusal{"unknown channel field \"" + field + "\""};
}

SStoredValue ApplyTest(CDromelPgmDoc& doc, int r, const std::string& field,
                       const std::string& value) {
    CheckChannelNumber(r);
    const bool rx = field == kFieldRxFreq.name || field == kFieldRxTone.name;
    const bool tone = field == kFieldRxTone.name || field == kFieldTxTone.name;
    if (!rx && field != kFieldTxFreq.name && field != kFieldTxTone.name) {
        throw Refusal{"unknown test channel field \"" + field + "\""};
    }
    if (tone) {
        const int col = rx ? kTestColRxTone : kTestColTxTone;
        if (IsTestCellReadOnly(doc, r, col)) {
            throw Refusal{"the cell is greyed: the test channel lacks a frequency"};
        }
        return CommitTestTone(doc, r, rx, TypedTone(value));
    }
    return CommitTestFreq(doc, r, rx, TypedFreq(value));
}

// The alignment values and the Manual Adjust switch, open only with the access code.
bool ApplyDealer(CDromelPgmDoc& doc, const std::string& key, const std::string& value,
                 bool dealer) {
    const std::string kAlign = "align.";
    const bool align = key.rfind(kAlign, 0) == 0;
    if (!align && key != kFieldManualAdjust.name) {
        return false;
    }
    if (!dealer) {
        throw Refusal{"the alignment values and Manual Adjust need the dealer access code "
                      "(--dealer CODE)"};
    }
    if (!align) {
        SetManualAdjustSwitch(doc, OnOffWord(value));
        return true;
    }
    const int index = FindAlignmentKey(key.substr(kAlign.size()));
    if (index < 0) {
        throw Refusal{"unknown alignment value \"" + key.substr(kAlign.size()) + "\""};
    }
    int number = 0;
    if (!ParseIndex(value, number) || number > 255) {
        throw Refusal{"\"" + value + "\" is not a value from 0 to 255"};
    }
    SetAlignmentValue(doc, index, static_cast<std::uint8_t>(number));
    return true;
}

// Returns how a cell value was stored (as given for everything else).
SStoredValue Apply(CDromelPgmDoc& doc, const std::string& key, const std::string& value,
                   bool dealer) {
    if (ApplyDealer(doc, key, value, dealer)) {
        return {};
    }
    if (key == "model") {
        ApplyModel(doc, value);
        return {};
    }
    for (const auto& o : kOptionNames) {
        if (key == o.key) {
            ApplyFormOption(doc, o.value, value);
            return {};
        }
    }
    for (const auto& c : kCheckNames) {
        if (key == c.key) {
            ChangeFormCheck(doc, c.value, OnOffWord(value));
            return {};
        }
    }
    int n = 0;
    std::string field;
    if (SplitChannelKey(key, "ch", n, field)) {
        return ApplyChannel(doc, n, field, value);
    }
    if (SplitChannelKey(key, "test", n, field)) {
        return ApplyTest(doc, n, field, value);
    }
    throw Refusal{"unknown setting \"" + key + "\""};
}

} // namespace

std::vector<std::string> ApplyAssignment(CDromelPgmDoc& doc, const std::string& assignment,
                                         const std::string& path, bool dealer) {
    const std::size_t equals = assignment.find('=');
    try {
        if (equals == std::string::npos || equals == 0) {
            throw Refusal{"not of the form NAME=VALUE"};
        }
        const std::string key = assignment.substr(0, equals);
        const std::string value = assignment.substr(equals + 1);
        const CDocEdit edit(doc, EDocChange::kDpmtoolSet);
        return CommitNotices(key, value, Apply(doc, key, value, dealer));
    } catch (const Refusal& refusal) {
        throw DpmError{kExitRefused, path + ": " + assignment + ": " + refusal.reason};
    }
}
