// The entries of the form's option lists, in list order (list index = position), and the
// tone list of the tone cells. Texts come from the settings file and the language file in
// force at the moment of the call.
#pragma once

#include <string>
#include <vector>

using OptionList = std::vector<std::string>;

// fdisp0, fdisp1, ... of [model], up to the first missing one; index = model number.
OptionList ModelList();
// [monikey] "0".."4"; a missing key is skipped and the later entries move up.
OptionList MonitorKeyList();
// IDS_OFF, then 30, 60 .. 300.
OptionList TimeOutList();
// 0 .. 9.
OptionList SquelchList();
// [SCANTYPE] "0", "1", ... up to the first missing key.
OptionList ScanTypeList();
// IDS_NONE, then 1 .. kScanChannelCount.
OptionList PriorityList();
// [REVERTCH] "0".."2" (defaults "mode 0".."mode 2"), and "3" (default "mode 3") only when a
// priority channel is set.
OptionList RevertList(bool prioritySet);
// IDS_NONE, then 0.3 .. 5.0.
OptionList LoopBackList();
// 0.5 .. 5.0 in steps of 0.5.
OptionList DropoutList();
// IDS_NONE, then the tone tables chosen by [setup] ctcdcs (default 13): bit 0 the 38 CTCSS
// tones, bit 1 the 50 CTCSS tones, bit 2 the normal DCS codes, bit 3 the inverted ones.
OptionList ToneList();
