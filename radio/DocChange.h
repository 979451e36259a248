// What one change of the document is: its kind (the user action that made it), the header
// and image before and after, and the rule by which that kind treats the modified flag.
// Every change of the header or the image is one of these; the document tells its change
// observers about each (undo and backups hook in there).
#pragma once

#include "radio/ImageMap.h"

#include <array>
#include <cstdint>

using MemoryImage = std::array<std::uint8_t, kImageSize>;
using FileHeader = std::array<std::uint8_t, kHeaderSize>;

enum class EDocChange {
    kNew,           // a new model-2 document
    kOpen,          // a data file loaded
    kSave,          // the document saved: nothing changed, the saved state is here
    kField,         // one setter called outside any user action
    kFormOption,    // an option list or check box of the form
    kModelChange,   // the confirmed model change: the whole image set up afresh
    kCellCommit,    // a channel cell committed with a text other than it showed
    kCellRewrite,   // a channel cell committed with the text it showed
    kListSelection, // a list cell's selection moved (the value follows on its commit)
    kListCommit,    // a list cell's value stored when its editor closes
    kTestFreq,      // Test Frequency's OK: the test channels as edited in the dialog
    kTestFreqUndo,  // Test Frequency's Cancel: the image put back as the dialog found it
    kTestModeSave,  // Test Mode's Save: the alignment values and the Manual Adjust switch
    kRead,          // a completed read: the radio's memory
    kCsvImport,     // channels imported from CSV
    kDpmtoolSet,    // dpmtool set's assignments
    kPaste,         // channels pasted from the clipboard
    kClear,         // the selected cells or channels cleared (Delete, Cut)
    kChannelInsert, // an empty channel inserted, the channels below moved down
    kChannelDelete, // a channel deleted, the channels below moved up
    kChannelMove,   // a channel swapped with its neighbour
    kChannelSort,   // the used channels ordered by receive frequency
    kUndo,          // a step of the edit history taken back
    kRedo,          // a step of the edit history done again
    kUndoToSaved,   // a step taken back to the state last saved
    kRedoToSaved,   // a step done again up to the state last saved
};

// What a change of a kind does to the modified flag.
enum class EModifiedRule {
    kLeft,              // left as it was
    kMarked,            // set, even when no byte changed
    kMarkedWhenChanged, // set when a byte of the header or image changed
    kCleared,           // cleared; the change is told even when no byte changed
};

EModifiedRule ModifiedRule(EDocChange kind);

// Undo and redo: the document put back to a state of its edit history.
bool IsHistoryMove(EDocChange kind);

// The header and the image at one moment.
struct SDocState {
    FileHeader header{};
    MemoryImage image{};
    bool operator==(const SDocState&) const = default;
};

struct SDocChange {
    EDocChange kind;
    SDocState before;
    SDocState after;
};
