// The names dpmtool gives the form's options, check boxes and channel cells: the keys of
// `dpmtool set` ("squelch=5", "ch3.rxtone=D023N") and the names `dpmtool show` prints.
#pragma once

#include "radio/ChannelRules.h"
#include "radio/FormRules.h"

#include <array>

struct OptionName {
    const char* key;
    FormOption option;
};
inline constexpr std::array<OptionName, 8> kOptionNames{{
    {"monitor", FormOption::MonitorKey},
    {"timeout", FormOption::TimeOut},
    {"squelch", FormOption::Squelch},
    {"scantype", FormOption::ScanType},
    {"priority", FormOption::Priority},
    {"revert", FormOption::Revert},
    {"loopback", FormOption::LoopBack},
    {"dropout", FormOption::Dropout},
}};

struct CheckName {
    const char* key;
    FormCheck check;
};
inline constexpr std::array<CheckName, 3> kCheckNames{{
    {"beep", FormCheck::BeepTone},
    {"battsave", FormCheck::BatterySave},
    {"clone", FormCheck::WiredClone},
}};

// The channel grid's columns 1..8 in order; the first four name the test channel grid's
// columns 1..4 too.
struct CellName {
    const char* key;
    int col;
};
inline constexpr std::array<CellName, 8> kCellNames{{
    {"rx", kColRxFreq},
    {"rxtone", kColRxTone},
    {"tx", kColTxFreq},
    {"txtone", kColTxTone},
    {"scan", kColScan},
    {"opt6", kColOpt6},
    {"band", kColBand},
    {"opt8", kColOpt8},
}};
