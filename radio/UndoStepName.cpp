#include "radio/UndoStepName.h"

#include "app/LangString.h"
#include "radio/ChannelRules.h"
#include "radio/ColumnHeadings.h"
#include "radio/ImageFields.h"

#include <bitset>

namespace {

// The grid column of a channel field.
struct SFieldColumn {
    const SImageField* field;
    int column;
};
constexpr SFieldColumn kFieldColumns[] = {
    {&kFieldRxFreq, kColRxFreq}, {&kFieldRxStep, kColRxFreq}, {&kFieldTxFreq, kColTxFreq},
    {&kFieldTxStep, kColTxFreq}, {&kFieldRxTone, kColRxTone}, {&kFieldTxTone, kColTxTone},
    {&kFieldScanAdd, kColScan},  {&kFieldOptCol6, kColOpt6},  {&kFieldNarrow, kColBand},
    {&kFieldOptCol8, kColOpt8},
};

// The grid column of the first channel field the step changes; 0 when none.
int ChangedColumn(const CStateDiff& diff) {
    int column = 0;
    diff.ForEachImageByte([&](std::size_t offset, std::uint8_t bits) {
        const int n = static_cast<int>(offset / kRecordSize);
        if (column != 0 || n < 1 || n > kLastChannel) {
            return;
        }
        const std::size_t inRecord = offset % kRecordSize;
        for (const SFieldColumn& f : kFieldColumns) {
            if (inRecord >= f.field->offset && inRecord < f.field->offset + f.field->size &&
                (bits & f.field->mask) != 0) {
                column = f.column;
                return;
            }
        }
    });
    return column;
}

std::string CellName(const CStateDiff& diff) {
    const int column = ChangedColumn(diff);
    if (column == 0) {
        return GetLangString("IDS_UNDO_CELL");
    }
    return GetColumnHeadings(column + 1)[static_cast<std::size_t>(column)];
}

std::string Counted(const char* key, const CStateDiff& diff) {
    const int count = ChangedChannelCount(diff);
    const std::string channels =
        count == 1 ? GetLangString("IDS_UNDO_CHANNEL")
                   : FormatLangString("IDS_UNDO_CHANNELS", {std::to_string(count)});
    return FormatLangString(key, {channels});
}

} // namespace

int ChangedChannelCount(const CStateDiff& diff) {
    std::bitset<kChannelCount + 1> changed;
    diff.ForEachImageByte([&](std::size_t offset, std::uint8_t) {
        const std::size_t n = offset / kRecordSize;
        if (n >= 1 && n <= kChannelCount) {
            changed.set(n);
        }
    });
    return static_cast<int>(changed.count());
}

std::string UndoStepName(const SUndoStep& step) {
    switch (step.kind) {
    case EDocChange::kFormOption:
        return GetLangString("IDS_UNDO_OPTION");
    case EDocChange::kModelChange:
        return GetLangString("IDS_UNDO_MODEL");
    case EDocChange::kCellCommit:
    case EDocChange::kCellRewrite:
    case EDocChange::kListSelection:
    case EDocChange::kListCommit:
        return CellName(step.diff);
    case EDocChange::kTestFreq:
        return GetLangString("IDS_UNDO_TESTFREQ");
    case EDocChange::kTestModeSave:
        return GetLangString("IDS_UNDO_TESTMODE");
    case EDocChange::kRead:
        return GetLangString("IDS_UNDO_READ");
    case EDocChange::kCsvImport:
        return Counted("IDS_UNDO_IMPORT", step.diff);
    case EDocChange::kPaste:
        return Counted("IDS_UNDO_PASTE", step.diff);
    case EDocChange::kClear:
        return Counted("IDS_UNDO_CLEAR", step.diff);
    case EDocChange::kChannelInsert:
        return GetLangString("IDS_UNDO_INSERT");
    case EDocChange::kChannelDelete:
        return GetLangString("IDS_UNDO_DELETE");
    case EDocChange::kChannelMove:
        return GetLangString("IDS_UNDO_MOVE");
    case EDocChange::kChannelSort:
        return GetLangString("IDS_UNDO_SORT");
    default:
        break;
    }
    return GetLangString("IDS_UNDO_CHANGE");
}
