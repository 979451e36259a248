// The names dpmtool gives the form's options, check boxes and channel cells: the keys of
// `dpmtool set` ("squelch=5", "ch3.rxtone=D023N") and the names `dpmtool show` prints.
#pragma once

#include "radio/ChannelRules.h"
#include "radio/FormRules.h"

#include <array>

// A name and what it stands for.
template <class T> struct Named {
    const char* key;
    T value;
};

inline constexpr std::array<Named<FormOption>, 8> kOptionNames{{
    {"monitor", FormOption::MonitorKey},
    {"timeout", FormOption::TimeOut},
    {"squelch", FormOption::Squelch},
    {"scantype", FormOption::ScanType},
    {"priority", FormOption::Priority},
    {"revert", FormOption::Revert},
    {"loopback", FormOption::LoopBack},
    {"dropout", FormOption::Dropout},
}};

inline constexpr std::array<Named<FormCheck>, 3> kCheckNames{{
    {"beep", FormCheck::BeepTone},
    {"battsave", FormCheck::BatterySave},
    {"clone", FormCheck::WiredClone},
}};

// The channel grid's columns 1..8 in order; the first four name the test channel grid's
// columns 1..4 too.
inline constexpr std::array<Named<int>, 8> kCellNames{{
    {"rx", kColRxFreq},
    {"rxtone", kColRxTone},
    {"tx", kColTxFreq},
    {"txtone", kColTxTone},
    {"scan", kColScan},
    {"opt6", kColOpt6},
    {"band", kColBand},
    {"opt8", kColOpt8},
}};
