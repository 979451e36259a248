#include "radio/DromelPgmDoc.h"

#include "app/LangString.h"
#include "radio/ValueCodecs.h"

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
    SetPathName(path);
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

std::uint8_t* CDromelPgmDoc::Record(int n) {
    return m_image.data() + kRecordSize * n;
}

const std::uint8_t* CDromelPgmDoc::Record(int n) const {
    return m_image.data() + kRecordSize * n;
}

std::string CDromelPgmDoc::GetFreqText(int n, bool rx) const {
    return FreqFieldToText(Record(n) + (rx ? kRecRxFreq : kRecTxFreq));
}

void CDromelPgmDoc::SetFreqText(int n, bool rx, const std::string& text) {
    const CDocEdit edit(*this);
    std::uint8_t* record = Record(n);
    EncodeFreqText(text, record + (rx ? kRecRxFreq : kRecTxFreq),
                   record[rx ? kRecRxStep : kRecTxStep]);
}

std::string CDromelPgmDoc::GetToneText(int n, bool rx) const {
    const std::uint8_t* tone = Record(n) + (rx ? kRecRxTone : kRecTxTone);
    if (tone[1] == 0xFF) {
        return GetLangString("IDS_NONE");
    }
    return ToneFieldToText(tone[0], tone[1], {});
}

void CDromelPgmDoc::SetToneText(int n, bool rx, const std::string& text) {
    const CDocEdit edit(*this);
    std::uint8_t* tone = Record(n) + (rx ? kRecRxTone : kRecTxTone);
    EncodeToneText(text, tone[0], tone[1]);
}

bool CDromelPgmDoc::IsRxEmpty(int n) const {
    return IsFreqFieldErased(Record(n) + kRecRxFreq);
}

bool CDromelPgmDoc::IsRxOrTxEmpty(int n) const {
    return IsRxEmpty(n) || IsFreqFieldErased(Record(n) + kRecTxFreq);
}

bool CDromelPgmDoc::IsTxSameAsRx(int n) const {
    const std::uint8_t* record = Record(n);
    return std::equal(record + kRecRxFreq, record + kRecRxFreq + 4, record + kRecTxFreq);
}

bool CDromelPgmDoc::IsTxToneSameAsRx(int n) const {
    const std::uint8_t* record = Record(n);
    return std::equal(record + kRecRxTone, record + kRecRxTone + 2, record + kRecTxTone);
}

bool CDromelPgmDoc::GetFlag(int n, unsigned bit) const {
    return (Record(n)[kRecFlags] & bit) != 0;
}

void CDromelPgmDoc::SetFlag(int n, unsigned bit, bool set) {
    std::uint8_t& flags = Record(n)[kRecFlags];
    flags = static_cast<std::uint8_t>(set ? (flags | bit) : (flags & ~bit));
}

bool CDromelPgmDoc::GetScanAdd(int n) const {
    return GetFlag(n, kFlagScanAdd);
}
void CDromelPgmDoc::SetScanAdd(int n, bool inScanList) {
    const CDocEdit edit(*this);
    SetFlag(n, kFlagScanAdd, inScanList);
}
bool CDromelPgmDoc::GetNarrow(int n) const {
    return GetFlag(n, kFlagNarrow);
}
void CDromelPgmDoc::SetNarrow(int n, bool narrow) {
    const CDocEdit edit(*this);
    SetFlag(n, kFlagNarrow, narrow);
}
bool CDromelPgmDoc::GetOptCol6(int n) const {
    return !GetFlag(n, kFlagOptCol6);
}
void CDromelPgmDoc::SetOptCol6(int n, bool yes) {
    const CDocEdit edit(*this);
    SetFlag(n, kFlagOptCol6, !yes);
}
bool CDromelPgmDoc::GetOptCol8(int n) const {
    return !GetFlag(n, kFlagOptCol8);
}
void CDromelPgmDoc::SetOptCol8(int n, bool yes) {
    const CDocEdit edit(*this);
    SetFlag(n, kFlagOptCol8, !yes);
}

void CDromelPgmDoc::SetBit(std::size_t offset, unsigned bit, bool set) {
    std::uint8_t& byte = m_image[offset];
    byte = static_cast<std::uint8_t>(set ? (byte | bit) : (byte & ~bit));
}

bool CDromelPgmDoc::GetBeepTone() const {
    return (m_image[kOptBits] & 0x01) != 0;
}
void CDromelPgmDoc::SetBeepTone(bool on) {
    const CDocEdit edit(*this);
    SetBit(kOptBits, 0x01, on);
}
bool CDromelPgmDoc::GetBatterySave() const {
    return (m_image[kOptBits] & 0x02) != 0;
}
void CDromelPgmDoc::SetBatterySave(bool on) {
    const CDocEdit edit(*this);
    SetBit(kOptBits, 0x02, on);
}
bool CDromelPgmDoc::GetWiredClone() const {
    return (m_image[kOptCloneBits] & 0x04) == 0;
}
void CDromelPgmDoc::SetWiredClone(bool on) {
    const CDocEdit edit(*this);
    SetBit(kOptCloneBits, 0x04, !on);
}
bool CDromelPgmDoc::GetManualAdjust() const {
    return (m_image[kOptCloneBits] & 0x10) == 0;
}
void CDromelPgmDoc::SetManualAdjust(bool on) {
    const CDocEdit edit(*this);
    SetBit(kOptCloneBits, 0x10, !on);
}

int CDromelPgmDoc::GetSquelchLevel() const {
    return std::min<int>(m_image[kOptSquelch], 9);
}
void CDromelPgmDoc::SetSquelchLevel(int index) {
    const CDocEdit edit(*this);
    m_image[kOptSquelch] = static_cast<std::uint8_t>(index);
}

int CDromelPgmDoc::GetMonitorKey() const {
    const int byte = m_image[kOptMonitorKey];
    return byte > 4 ? 3 : byte;
}
void CDromelPgmDoc::SetMonitorKey(int index) {
    const CDocEdit edit(*this);
    m_image[kOptMonitorKey] = static_cast<std::uint8_t>(index);
}

int CDromelPgmDoc::GetTimeOutTimer() const {
    const int byte = m_image[kOptTimeOut];
    return byte > 10 ? 0 : byte;
}
void CDromelPgmDoc::SetTimeOutTimer(int index) {
    const CDocEdit edit(*this);
    m_image[kOptTimeOut] = static_cast<std::uint8_t>(index);
}

int CDromelPgmDoc::GetScanType() const {
    const int byte = m_image[kOptScanType];
    return byte <= 1 ? byte + 1 : 0;
}
void CDromelPgmDoc::SetScanType(int index) {
    const CDocEdit edit(*this);
    m_image[kOptScanType] = static_cast<std::uint8_t>(index == 0 ? 0xFF : index - 1);
}

int CDromelPgmDoc::GetPriorityChannel() const {
    const int byte = m_image[kOptPriority];
    return byte <= 15 ? byte + 1 : 0;
}
void CDromelPgmDoc::SetPriorityChannel(int index) {
    const CDocEdit edit(*this);
    m_image[kOptPriority] = static_cast<std::uint8_t>(index >= 1 && index <= 15 ? index - 1 : 0xFF);
}

int CDromelPgmDoc::GetLoopBackTime() const {
    const int byte = m_image[kOptLoopBack];
    return byte >= 3 && byte <= 50 ? byte - 2 : 0;
}
void CDromelPgmDoc::SetLoopBackTime(int index) {
    const CDocEdit edit(*this);
    m_image[kOptLoopBack] = static_cast<std::uint8_t>(index >= 1 ? index + 2 : 0xFF);
}

int CDromelPgmDoc::GetRevertChannel() const {
    const int byte = m_image[kOptRevert];
    return byte <= 2 ? byte + 1 : 0;
}
void CDromelPgmDoc::SetRevertChannel(int index) {
    const CDocEdit edit(*this);
    m_image[kOptRevert] = static_cast<std::uint8_t>(index == 0 ? 0xFF : index - 1);
}

int CDromelPgmDoc::GetDropoutDelay() const {
    const int byte = m_image[kOptDropout];
    if (byte < 5) {
        return 0;
    }
    return byte > 50 ? 9 : byte / 5 - 1;
}
void CDromelPgmDoc::SetDropoutDelay(int index) {
    const CDocEdit edit(*this);
    m_image[kOptDropout] = static_cast<std::uint8_t>((index + 1) * 5);
}

bool CDromelPgmDoc::HasScanList() {
    const CDocEdit edit(*this);
    int count = 0;
    for (int n = 1; n <= 15; ++n) {
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
