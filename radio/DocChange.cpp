#include "radio/DocChange.h"

EModifiedRule ModifiedRule(EDocChange kind) {
    switch (kind) {
    case EDocChange::kNew:
    case EDocChange::kOpen:
    case EDocChange::kSave:
    case EDocChange::kUndoToSaved:
    case EDocChange::kRedoToSaved:
        return EModifiedRule::kCleared;
    case EDocChange::kFormOption:
    case EDocChange::kModelChange:
    case EDocChange::kCellCommit:
    case EDocChange::kListSelection:
    case EDocChange::kUndo:
    case EDocChange::kRedo:
        return EModifiedRule::kMarked;
    // Test Frequency's OK and Test Mode's Save mark the document only when a byte changed, so
    // that closing the program asks to save the test channels and the dealer's alignment.
    case EDocChange::kTestFreq:
    case EDocChange::kTestModeSave:
    case EDocChange::kCsvImport:
    case EDocChange::kDpmtoolSet:
    case EDocChange::kPaste:
    case EDocChange::kClear:
    case EDocChange::kChannelInsert:
    case EDocChange::kChannelDelete:
    case EDocChange::kChannelMove:
    case EDocChange::kChannelSort:
        return EModifiedRule::kMarkedWhenChanged;
    case EDocChange::kField:
    case EDocChange::kCellRewrite:
    case EDocChange::kListCommit:
    case EDocChange::kTestFreqUndo:
    case EDocChange::kRead:
        break;
    }
    return EModifiedRule::kLeft;
}

bool IsHistoryMove(EDocChange kind) {
    return kind == EDocChange::kUndo || kind == EDocChange::kRedo ||
           kind == EDocChange::kUndoToSaved || kind == EDocChange::kRedoToSaved;
}
