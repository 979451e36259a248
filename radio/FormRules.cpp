#include "radio/FormRules.h"

OptionList FormOptionEntries(const CDromelPgmDoc& doc, FormOption option) {
    switch (option) {
    case FormOption::MonitorKey:
        return MonitorKeyList();
    case FormOption::TimeOut:
        return TimeOutList();
    case FormOption::Squelch:
        return SquelchList();
    case FormOption::ScanType:
        return ScanTypeList();
    case FormOption::Priority:
        return PriorityList();
    case FormOption::Revert:
        return RevertList(doc.GetPriorityChannel() != 0);
    case FormOption::LoopBack:
        return LoopBackList();
    case FormOption::Dropout:
        return DropoutList();
    }
    return {};
}

int GetFormOption(const CDromelPgmDoc& doc, FormOption option) {
    switch (option) {
    case FormOption::MonitorKey:
        return doc.GetMonitorKey();
    case FormOption::TimeOut:
        return doc.GetTimeOutTimer();
    case FormOption::Squelch:
        return doc.GetSquelchLevel();
    case FormOption::ScanType:
        return doc.GetScanType();
    case FormOption::Priority:
        return doc.GetPriorityChannel();
    case FormOption::Revert:
        return doc.GetRevertChannel();
    case FormOption::LoopBack:
        return doc.GetLoopBackTime();
    case FormOption::Dropout:
        return doc.GetDropoutDelay();
    }
    return 0;
}

namespace {

std::string EntryText(const OptionList& list, int index) {
    return index >= 0 && static_cast<std::size_t>(index) < list.size() ? list[index]
                                                                       : std::string();
}

} // namespace

std::string GetFormOptionText(const CDromelPgmDoc& doc, FormOption option) {
    return EntryText(FormOptionEntries(doc, option), GetFormOption(doc, option));
}

std::string GetFormModelText(const CDromelPgmDoc& doc) {
    return EntryText(ModelList(), doc.GetModel());
}

bool GetFormCheck(const CDromelPgmDoc& doc, FormCheck check) {
    switch (check) {
    case FormCheck::BeepTone:
        return doc.GetBeepTone();
    case FormCheck::BatterySave:
        return doc.GetBatterySave();
    case FormCheck::WiredClone:
        return doc.GetWiredClone();
    }
    return false;
}

void ChangeFormCheck(CDromelPgmDoc& doc, FormCheck check, bool on) {
    const CDocEdit edit(doc, EDocChange::kFormOption);
    switch (check) {
    case FormCheck::BeepTone:
        doc.SetBeepTone(on);
        break;
    case FormCheck::BatterySave:
        doc.SetBatterySave(on);
        break;
    case FormCheck::WiredClone:
        doc.SetWiredClone(on);
        break;
    }
}

void ChangeFormOption(CDromelPgmDoc& doc, FormOption option, int index) {
    const CDocEdit edit(doc, EDocChange::kFormOption);
    switch (option) {
    case FormOption::MonitorKey:
        doc.SetMonitorKey(index);
        break;
    case FormOption::TimeOut:
        doc.SetTimeOutTimer(index);
        break;
    case FormOption::Squelch:
        doc.SetSquelchLevel(index);
        break;
    case FormOption::ScanType:
        doc.SetScanType(index);
        break;
    case FormOption::Priority:
        doc.SetPriorityChannel(index);
        break;
    case FormOption::Revert:
        doc.SetRevertChannel(index);
        break;
    case FormOption::LoopBack:
        doc.SetLoopBackTime(index);
        break;
    case FormOption::Dropout:
        doc.SetDropoutDelay(index);
        break;
    }
}

bool ChangePriorityChannel(CDromelPgmDoc& doc, int index) {
    if (index < 0 || index > kScanChannelCount || (index != 0 && doc.IsRxEmpty(index))) {
        return false;
    }
    ChangeFormOption(doc, FormOption::Priority, index);
    return true;
}

ScanControls UpdateScanControls(CDromelPgmDoc& doc) {
    ScanControls controls;
    controls.scanTypeEnabled = doc.HasScanList();
    controls.scanTypeIndex = doc.GetScanType();
    controls.scanActive = controls.scanTypeEnabled && controls.scanTypeIndex > 0;
    return controls;
}

bool IsModelChange(const CDromelPgmDoc& doc, int k) {
    return k != doc.GetModel();
}

void ChangeModel(CDromelPgmDoc& doc, int k) {
    const CDocEdit edit(doc, EDocChange::kModelChange);
    doc.DeleteContents();
    doc.SetModel(k);
}
