// What the form's option controls do to the document: each change stores a list index or a
// check-box state and marks the document modified, with the checks that can refuse it.
#pragma once

#include "radio/DromelPgmDoc.h"
#include "radio/OptionLists.h"

// The option lists of the form, and the three check boxes.
enum class FormOption {
    MonitorKey,
    TimeOut,
    Squelch,
    ScanType,
    Priority,
    Revert,
    LoopBack,
    Dropout
};
enum class FormCheck { BeepTone, BatterySave, WiredClone };

// The entries of an option's list as the form shows them now (the Revert list depends on
// the priority channel).
OptionList FormOptionEntries(const CDromelPgmDoc& doc, FormOption option);
// The stored option as a list index; it may lie beyond the list (a stored 15 as priority
// reads as 16), which the form shows without a selection.
int GetFormOption(const CDromelPgmDoc& doc, FormOption option);
bool GetFormCheck(const CDromelPgmDoc& doc, FormCheck check);

// The text an option's list shows: the entry at the stored index, empty when the list has no
// such entry (the list then shows no selection).
std::string GetFormOptionText(const CDromelPgmDoc& doc, FormOption option);
// The model list's text for the document's model, empty when the model is not in the list.
std::string GetFormModelText(const CDromelPgmDoc& doc);

// Stores the state of a check box and marks the document modified.
void ChangeFormCheck(CDromelPgmDoc& doc, FormCheck check, bool on);

// Stores a list index and marks the document modified. The priority channel goes through
// ChangePriorityChannel instead.
void ChangeFormOption(CDromelPgmDoc& doc, FormOption option, int index);

// The priority channel check: choosing channel k (1..kScanChannelCount) while it is empty
// is refused (IDS_ERROR_PRIORITYCH) and changes nothing, as is a negative index or one beyond
// kScanChannelCount; index 0 (none) is always accepted. True when the index was stored and
// the document marked modified.
[[nodiscard]] bool ChangePriorityChannel(CDromelPgmDoc& doc, int index);

// The enabled states of the scan controls. Asking resets the scan type to no scan when
// fewer than two channels among 1..kScanChannelCount are in the scan list (without marking
// the document modified).
struct ScanControls {
    bool scanTypeEnabled = false; // a scan list exists
    bool scanActive = false;      // priority, revert, loop back and dropout enabled
    int scanTypeIndex = 0;
};
ScanControls UpdateScanControls(CDromelPgmDoc& doc);

// True when choosing model k is a change that needs the confirmation (IDS_CONFIRM_FREQ).
bool IsModelChange(const CDromelPgmDoc& doc, int k);
// The confirmed model change: the whole image erased and the header reset, model k set up,
// the document marked modified. All channels and options entered before are lost; the
// caller refills the form and the grid.
void ChangeModel(CDromelPgmDoc& doc, int k);
