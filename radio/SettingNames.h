// The names the command-line tool gives the form's options, check boxes and channel cells:
// the keys of `dpmtool set` ("squelch=5", "ch3.rxtone=D023N"), the names `dpmtool show`
// prints and the names of the differences between two images. Each is the name of its
// field in the image's table.
#pragma once

#include "radio/ChannelRules.h"
#include "radio/FormRules.h"
#include "radio/ImageFields.h"

#include <array>

// A name, what it stands for and the field of the image that holds it.
template <class T> struct Named {
    const char* key;
    T value;
    const SImageField* field;
};

template <class T> constexpr Named<T> NameOf(const SImageField& field, T value) {
    return {field.name, value, &field};
}

inline constexpr std::array<Named<FormOption>, 8> kOptionNames{
    NameOf(kFieldMonitorKey, FormOption::MonitorKey), NameOf(kFieldTimeOut, FormOption::TimeOut),
    NameOf(kFieldSquelch, FormOption::Squelch),       NameOf(kFieldScanType, FormOption::ScanType),
    NameOf(kFieldPriority, FormOption::Priority),     NameOf(kFieldRevert, FormOption::Revert),
    NameOf(kFieldLoopBack, FormOption::LoopBack),     NameOf(kFieldDropout, FormOption::Dropout),
};

inline constexpr std::array<Named<FormCheck>, 3> kCheckNames{
    NameOf(kFieldBeepTone, FormCheck::BeepTone),
    NameOf(kFieldBatterySave, FormCheck::BatterySave),
    NameOf(kFieldWiredClone, FormCheck::WiredClone),
};

// The channel grid's columns 1..8 in order; the first four name the test channel grid's
// columns 1..4 too.
inline constexpr std::array<Named<int>, 8> kCellNames{
    NameOf<int>(kFieldRxFreq, kColRxFreq), NameOf<int>(kFieldRxTone, kColRxTone),
    NameOf<int>(kFieldTxFreq, kColTxFreq), NameOf<int>(kFieldTxTone, kColTxTone),
    NameOf<int>(kFieldScanAdd, kColScan),  NameOf<int>(kFieldOptCol6, kColOpt6),
    NameOf<int>(kFieldNarrow, kColBand),   NameOf<int>(kFieldOptCol8, kColOpt8),
};
