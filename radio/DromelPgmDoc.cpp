#include "radio/DromelPgmDoc.h"

#include "app/LangString.h"
#include "radio/ChangedParts.h"
#include "radio/ImageFields.h"

#include <algorithm>
#include <cstring>
#include <filesystem>

namespace {

FileHeader MakeOwnHeader() {
    const char text[] = "QX  Radio Program data v1.33.7410 Morcan Vale     ";
    FileHeader header{};
    std::memcpy(header.data(), text, header.size());
    return header;
}

} // namespace

const FileHeader kOwnHeader = MakeOwnHeader();

CDromelPgmDoc::CDromelPgmDoc() : m_image{}, m_header{} {
    DeleteContents();
}

void CDromelPgmDoc::SetModifiedFlag(bool modified) {
    if (m_bModified != modified) {
        m_bModified = modified;
        NotifyState();
    }
}

std::string CDromelPgmDoc::GetTitle() const {
    if (m_strPathName.empty()) {
        return "default";
    }
    const std::size_t slash = m_strPathName.rfind('/');
    return slash == std::string::npos ? m_strPathName : m_strPathName.substr(slash + 1);
}

int CDromelPgmDoc::AddViewObserver(std::function<void()> observer) {
    m_viewObservers.push_back({m_nextObserverId, std::move(observer)});
    return m_nextObserverId++;
}

void CDromelPgmDoc::RemoveViewObserver(int id) {
    std::erase_if(m_viewObservers, [id](const Observer& o) { return o.id == id; });
}

void CDromelPgmDoc::UpdateAllViews() {
    const std::vector<Observer> observers = m_viewObservers;
    for (const Observer& o : observers) {
        o.call();
    }
}

int CDromelPgmDoc::AddStateObserver(std::function<void()> observer) {
    m_stateObservers.push_back({m_nextObserverId, std::move(observer)});
    return m_nextObserverId++;
}

void CDromelPgmDoc::RemoveStateObserver(int id) {
    std::erase_if(m_stateObservers, [id](const Observer& o) { return o.id == id; });
}

void CDromelPgmDoc::NotifyState() {
    const std::vector<Observer> observers = m_stateObservers;
    for (const Observer& o : observers) {
        o.call();
    }
}

int CDromelPgmDoc::AddChangeObserver(std::function<void(const SDocChange&)> observer) {
    m_changeObservers.push_back({m_nextObserverId, std::move(observer)});
    return m_nextObserverId++;
}

void CDromelPgmDoc::RemoveChangeObserver(int id) {
    std::erase_if(m_changeObservers, [id](const ChangeObserver& o) { return o.id == id; });
}

void CDromelPgmDoc::BeginEdit(EDocChange kind, const SDocState* before) {
    if (m_nEditDepth++ > 0) {
        return;
    }
    m_editKind = kind;
    m_editBefore = before != nullptr ? *before : State();
}

void CDromelPgmDoc::EndEdit() {
    if (--m_nEditDepth > 0) {
        return;
    }
    SDocChange change{m_editKind, m_editBefore, State()};
    const bool changed = change.before != change.after;
    const EModifiedRule rule = ModifiedRule(change.kind);
    if (rule == EModifiedRule::kCleared) {
        SetModifiedFlag(false);
    } else if (rule == EModifiedRule::kMarked ||
               (rule == EModifiedRule::kMarkedWhenChanged && changed)) {
        SetModifiedFlag(true);
    }
    if (!changed && rule != EModifiedRule::kCleared) {
        return;
    }
    const std::vector<ChangeObserver> observers = m_changeObservers;
    for (const ChangeObserver& o : observers) {
        o.call(change);
    }
}

void CDromelPgmDoc::ReplaceImage(const MemoryImage& image, EDocChange kind) {
    const CDocEdit edit(*this, kind);
    m_image = image;
}

void CDromelPgmDoc::TakeRadioImage(const MemoryImage& image) {
    const CDocEdit edit(*this, EDocChange::kRead);
    m_image = image;
    SetPathName({});
}

void CDromelPgmDoc::RestoreState(const SDocState& state, EDocChange kind) {
    const bool modelChanged = ChangedParts(m_image, state.image).model;
    {
        const CDocEdit edit(*this, kind);
        m_header = state.header;
        m_image = state.image;
        if (modelChanged) {
            FindModel();
        }
    }
    if (modelChanged) {
        UpdateAllViews();
    }
}

void CDromelPgmDoc::SetByte(std::size_t offset, std::uint8_t value) {
    const CDocEdit edit(*this);
    m_image[offset] = value;
}

void CDromelPgmDoc::SetPathName(const std::string& name) {
    // The full path is kept, so that the document stays bound to its file wherever the
    // program's working folder moves and the overwrite question names the whole path.
    std::string path = name;
    if (!name.empty() && name.front() != '/') {
        std::error_code error;
        const std::filesystem::path full = std::filesystem::absolute(name, error);
        if (!error) {
            path = full.lexically_normal().string();
        }
    }
    if (m_strPathName != path) {
        m_strPathName = path;
        NotifyState();
    }
}

void CDromelPgmDoc::DeleteContents() {
    const CDocEdit edit(*this);
    m_header = kOwnHeader;
    m_image.fill(0xFF);
}

void CDromelPgmDoc::NewDocument() {
    const CDocEdit edit(*this, EDocChange::kNew);
    DeleteContents();
    SetModel(2);
    SetPathName({});
}

void CDromelPgmDoc::RefreshFromImage() {
    FindModel();
    UpdateAllViews();
}

DataFileResult CDromelPgmDoc::LoadFile(const std::string& path) {
    std::string data;
    DataFileResult result{ReadFileStart(path, kDataFileSize, data)};
    if (!result) {
        return result;
    }
    result.size = data.size();
    const CDocEdit edit(*this, EDocChange::kOpen);
    DeleteContents();
    std::memcpy(m_header.data(), data.data(), std::min(data.size(), kHeaderSize));
    result.headerAccepted =
        std::equal(m_header.begin() + kSignatureOffset, m_header.begin() + kSignatureEnd,
                   kOwnHeader.begin() + kSignatureOffset);
    if (result.headerAccepted && data.size() > kHeaderSize) {
        std::memcpy(m_image.data(), data.data() + kHeaderSize, data.size() - kHeaderSize);
    }
    FindModel();
    // A foreign file keeps its name out of the document, so that no Save writes this tool's
    // data over another program's file.
    SetPathName(result.headerAccepted ? path : std::string());
    return result;
}

DataFileResult CDromelPgmDoc::SaveFile(const std::string& path) {
    std::string bytes(m_header.begin(), m_header.end());
    bytes.append(m_image.begin(), m_image.end());
    const DataFileResult result{WriteFileAtomically(path, bytes)};
    FindModel();
    if (result) {
        const CDocEdit saved(*this, EDocChange::kSave);
        SetPathName(path);
    }
    return result;
}

namespace {

const SImageField& FreqField(bool rx) {
    return rx ? kFieldRxFreq : kFieldTxFreq;
}

const SImageField& StepField(bool rx) {
    return rx ? kFieldRxStep : kFieldTxStep;
}

const SImageField& ToneField(bool rx) {
    return rx ? kFieldRxTone : kFieldTxTone;
}

// Two fields of the same width hold the same bytes.
bool SameBytes(const MemoryImage& image, int n, const SImageField& a, const SImageField& b) {
    const std::uint8_t* bytes = FieldBytes(image, a, n);
    return std::equal(bytes, bytes + a.size, FieldBytes(image, b, n));
}

} // namespace

std::string CDromelPgmDoc::GetFreqText(int n, bool rx) const {
    return FreqFieldToText(FieldBytes(m_image, FreqField(rx), n));
}

std::int32_t CDromelPgmDoc::GetFreqValue(int n, bool rx) const {
    return FreqFieldToValue(FieldBytes(m_image, FreqField(rx), n));
}

bool CDromelPgmDoc::IsFineStep(int n, bool rx) const {
    return FieldByte(m_image, StepField(rx), n) == 1;
}

void CDromelPgmDoc::SetFreqText(int n, bool rx, const std::string& text) {
    const CDocEdit edit(*this);
    EncodeFreqText(text, FieldBytes(m_image, FreqField(rx), n),
                   *FieldBytes(m_image, StepField(rx), n));
}

std::string CDromelPgmDoc::GetToneText(int n, bool rx) const {
    const std::uint8_t* tone = FieldBytes(m_image, ToneField(rx), n);
    if (ToneFieldKind(tone[1]) == EToneKind::kNone) {
        return GetLangString("IDS_NONE");
    }
    return ToneFieldToText(tone[0], tone[1], {});
}

void CDromelPgmDoc::SetToneText(int n, bool rx, const std::string& text) {
    const CDocEdit edit(*this);
    std::uint8_t* tone = FieldBytes(m_image, ToneField(rx), n);
    EncodeToneText(text, tone[0], tone[1]);
}

EToneKind CDromelPgmDoc::GetToneKind(int n, bool rx) const {
    return ToneFieldKind(FieldBytes(m_image, ToneField(rx), n)[1]);
}

bool CDromelPgmDoc::IsRxEmpty(int n) const {
    return IsFreqFieldErased(FieldBytes(m_image, kFieldRxFreq, n));
}

bool CDromelPgmDoc::IsRxOrTxEmpty(int n) const {
    return IsRxEmpty(n) || IsFreqFieldErased(FieldBytes(m_image, kFieldTxFreq, n));
}

bool CDromelPgmDoc::IsTxSameAsRx(int n) const {
    return SameBytes(m_image, n, kFieldRxFreq, kFieldTxFreq);
}

bool CDromelPgmDoc::IsTxToneSameAsRx(int n) const {
    return SameBytes(m_image, n, kFieldRxTone, kFieldTxTone);
}

bool CDromelPgmDoc::GetScanAdd(int n) const {
    return IsFieldOn(m_image, kFieldScanAdd, n);
}
void CDromelPgmDoc::SetScanAdd(int n, bool inScanList) {
    const CDocEdit edit(*this);
    SetFieldOn(m_image, kFieldScanAdd, inScanList, n);
}
bool CDromelPgmDoc::GetNarrow(int n) const {
    return IsFieldOn(m_image, kFieldNarrow, n);
}
void CDromelPgmDoc::SetNarrow(int n, bool narrow) {
    const CDocEdit edit(*this);
    SetFieldOn(m_image, kFieldNarrow, narrow, n);
}
bool CDromelPgmDoc::GetOptCol6(int n) const {
    return IsFieldOn(m_image, kFieldOptCol6, n);
}
void CDromelPgmDoc::SetOptCol6(int n, bool yes) {
    const CDocEdit edit(*this);
    SetFieldOn(m_image, kFieldOptCol6, yes, n);
}
bool CDromelPgmDoc::GetOptCol8(int n) const {
    return IsFieldOn(m_image, kFieldOptCol8, n);
}
void CDromelPgmDoc::SetOptCol8(int n, bool yes) {
    const CDocEdit edit(*this);
    SetFieldOn(m_image, kFieldOptCol8, yes, n);
}

bool CDromelPgmDoc::GetBeepTone() const {
    return IsFieldOn(m_image, kFieldBeepTone);
}
void CDromelPgmDoc::SetBeepTone(bool on) {
    const CDocEdit edit(*this);
    SetFieldOn(m_image, kFieldBeepTone, on);
}
bool CDromelPgmDoc::GetBatterySave() const {
    return IsFieldOn(m_image, kFieldBatterySave);
}
void CDromelPgmDoc::SetBatterySave(bool on) {
    const CDocEdit edit(*this);
    SetFieldOn(m_image, kFieldBatterySave, on);
}
bool CDromelPgmDoc::GetWiredClone() const {
    return IsFieldOn(m_image, kFieldWiredClone);
}
void CDromelPgmDoc::SetWiredClone(bool on) {
    const CDocEdit edit(*this);
    SetFieldOn(m_image, kFieldWiredClone, on);
}
bool CDromelPgmDoc::GetManualAdjust() const {
    return IsFieldOn(m_image, kFieldManualAdjust);
}
void CDromelPgmDoc::SetManualAdjust(bool on) {
    const CDocEdit edit(*this);
    SetFieldOn(m_image, kFieldManualAdjust, on);
}

int CDromelPgmDoc::GetSquelchLevel() const {
    return std::min<int>(FieldByte(m_image, kFieldSquelch), 9);
}
void CDromelPgmDoc::SetSquelchLevel(int index) {
    const CDocEdit edit(*this);
    SetFieldByte(m_image, kFieldSquelch, static_cast<std::uint8_t>(index));
}

int CDromelPgmDoc::GetMonitorKey() const {
    const int byte = FieldByte(m_image, kFieldMonitorKey);
    return byte > 4 ? 3 : byte;
}
void CDromelPgmDoc::SetMonitorKey(int index) {
    const CDocEdit edit(*this);
    SetFieldByte(m_image, kFieldMonitorKey, static_cast<std::uint8_t>(index));
}

int CDromelPgmDoc::GetTimeOutTimer() const {
    const int byte = FieldByte(m_image, kFieldTimeOut);
    return byte > 10 ? 0 : byte;
}
void CDromelPgmDoc::SetTimeOutTimer(int index) {
    const CDocEdit edit(*this);
    SetFieldByte(m_image, kFieldTimeOut, static_cast<std::uint8_t>(index));
}

int CDromelPgmDoc::GetScanType() const {
    const int byte = FieldByte(m_image, kFieldScanType);
    return byte <= 1 ? byte + 1 : 0;
}
void CDromelPgmDoc::SetScanType(int index) {
    const CDocEdit edit(*this);
    SetFieldByte(m_image, kFieldScanType, static_cast<std::uint8_t>(index == 0 ? 0xFF : index - 1));
}

int CDromelPgmDoc::GetPriorityChannel() const {
    // The byte counts channels from 0; a stored channel 16, which cannot be chosen, reads as
    // an index beyond the list.
    const int byte = FieldByte(m_image, kFieldPriority);
    return byte < kChannelCount ? byte + 1 : 0;
}
void CDromelPgmDoc::SetPriorityChannel(int index) {
    const CDocEdit edit(*this);
    const bool channel = index >= 1 && index <= kScanChannelCount;
    SetFieldByte(m_image, kFieldPriority, static_cast<std::uint8_t>(channel ? index - 1 : 0xFF));
}

int CDromelPgmDoc::GetLoopBackTime() const {
    const int byte = FieldByte(m_image, kFieldLoopBack);
    return byte >= 3 && byte <= 50 ? byte - 2 : 0;
}
void CDromelPgmDoc::SetLoopBackTime(int index) {
    const CDocEdit edit(*this);
    SetFieldByte(m_image, kFieldLoopBack, static_cast<std::uint8_t>(index >= 1 ? index + 2 : 0xFF));
}

int CDromelPgmDoc::GetRevertChannel() const {
    const int byte = FieldByte(m_image, kFieldRevert);
    return byte <= 2 ? byte + 1 : 0;
}
void CDromelPgmDoc::SetRevertChannel(int index) {
    const CDocEdit edit(*this);
    SetFieldByte(m_image, kFieldRevert, static_cast<std::uint8_t>(index == 0 ? 0xFF : index - 1));
}

int CDromelPgmDoc::GetDropoutDelay() const {
    const int byte = FieldByte(m_image, kFieldDropout);
    if (byte < 5) {
        return 0;
    }
    return byte > 50 ? 9 : byte / 5 - 1;
}
void CDromelPgmDoc::SetDropoutDelay(int index) {
    const CDocEdit edit(*this);
    SetFieldByte(m_image, kFieldDropout, static_cast<std::uint8_t>((index + 1) * 5));
}

bool CDromelPgmDoc::HasScanList() {
    const CDocEdit edit(*this);
    int count = 0;
    for (int n = 1; n <= kScanChannelCount; ++n) {
        if (!IsRxEmpty(n) && GetScanAdd(n)) {
            ++count;
        }
    }
    if (count < 2) {
        SetScanType(0);
    }
    return count >= 2;
}

int CDromelPgmDoc::CheckRange(const std::string& text) const {
    if (text.empty()) {
        return 0;
    }
    const std::int32_t v = FreqTextToValue(text);
    if (v > m_nFreqHigh) {
        return 1;
    }
    return v < m_nFreqLow ? -1 : 0;
}

std::string CDromelPgmDoc::GetLimitText(bool upper) const {
    return LimitText(upper ? m_nFreqHigh : m_nFreqLow);
}
