// The document: everything the tool knows about one radio. A 48-byte file header, the
// 1024-byte memory image, the model of that image and its frequency limits, the modified
// flag and the file the document was loaded from or saved to.
#pragma once

#include "radio/DataFile.h"
#include "radio/DocChange.h"
#include "radio/ImageMap.h"
#include "radio/ValueCodecs.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// The header this tool writes: "QX  Radio Program data v1.33.7410 Morcan Vale" and three
// spaces. Bytes 28..44 (".7410 Morcan Vale") identify a data file of this tool.
extern const FileHeader kOwnHeader;

// Frequency limits used when no model is current or the model has no limits (10 Hz units).
constexpr std::int32_t kDefaultFreqLow = 10000000;
constexpr std::int32_t kDefaultFreqHigh = 99900000;

class CDromelPgmDoc {
public:
    // A document with an erased image, no model and the default limits. NewDocument() makes
    // it the new model-2 document that every new document starts as.
    CDromelPgmDoc();

    // --- State -----------------------------------------------------------------------------
    // The memory image, byte for byte the radio's memory.
    const MemoryImage& Image() const { return m_image; }
    const FileHeader& GetHeader() const { return m_header; }
    SDocState State() const { return {m_header, m_image}; }
    int GetModel() const { return m_nModel; } // -1 when no model matches
    std::int32_t GetFreqLow() const { return m_nFreqLow; }
    std::int32_t GetFreqHigh() const { return m_nFreqHigh; }

    bool IsModified() const { return m_bModified; }
    void SetModifiedFlag(bool modified = true);
    // The full path of the file; a relative name given to LoadFile or SaveFile is completed
    // from the working folder of that moment.
    const std::string& GetPathName() const { return m_strPathName; }
    // The file name of the path, or "default" for a document never saved or loaded.
    std::string GetTitle() const;

    // Observers of "update all views": called after the whole document changed (new, open,
    // a read from the radio, a model change). AddViewObserver returns an id for removal.
    int AddViewObserver(std::function<void()> observer);
    void RemoveViewObserver(int id);
    void UpdateAllViews();
    // Observers of the modified flag and the path name (for the window title).
    int AddStateObserver(std::function<void()> observer);
    void RemoveStateObserver(int id);

    // --- Changes ----------------------------------------------------------------------------
    // Observers of every change of the header or the image: called once per change (see
    // CDocEdit) after its modified-flag rule was applied, with its kind, before and after.
    // A change that left every byte as it was is not told, unless its kind clears the flag
    // (New, Open, Save).
    int AddChangeObserver(std::function<void(const SDocChange&)> observer);
    void RemoveChangeObserver(int id);
    // The whole image replaced, as one change of the kind given (a completed read).
    void ReplaceImage(const MemoryImage& image, EDocChange kind = EDocChange::kField);
    // A completed read: the radio's memory replaces the image as one change of kind kRead,
    // and the document names no file any more, so that the next Save asks where to save
    // instead of writing this radio over the file the document came from.
    void TakeRadioImage(const MemoryImage& image);
    // Header and image put back to state as one change of kind (undo and redo). When the
    // model identification changed, the model is found again and all views are updated;
    // otherwise the views show what the change's bytes touch (ChangedParts.h).
    void RestoreState(const SDocState& state, EDocChange kind);
    // One byte of the image that no typed field covers (the alignment values).
    void SetByte(std::size_t offset, std::uint8_t value);

    // --- Reset and model table ------------------------------------------------------------
    // Header rewritten with the tool's own text, all 1024 image bytes 0xFF. Model and limits
    // are left for the model operations that always follow.
    void DeleteContents();
    // Reset, SetModel(2), modified flag cleared, no path: a new document.
    void NewDocument();
    // Initialises a freshly reset image for model k of the [model] table.
    void SetModel(int k);
    // Identifies the model from the image's model identification, then LoadFreqLimits().
    void FindModel();
    void LoadFreqLimits();
    // Writes the default test channels 17..24 from the limits.
    void FillTestChannels();
    // FindModel(), then update all views: after a read from the radio or a language change.
    void RefreshFromImage();

    // --- Data file ------------------------------------------------------------------------
    // Loads a data file into a reset document: a short file leaves the missing bytes 0xFF,
    // bytes after 1072 are ignored. A file without this tool's signature keeps its header but
    // leaves the image erased (result.headerAccepted false) and the document without a path;
    // a file of this tool gives the document its path. The document is then not modified. A file
    // that cannot be read leaves the document as it was.
    [[nodiscard]] DataFileResult LoadFile(const std::string& path);
    // Writes header and image to path without ever leaving a half-written file; on success
    // the document takes the path, is not modified and identifies its model again.
    [[nodiscard]] DataFileResult SaveFile(const std::string& path);

    // --- Channel fields (n = 1..32; rx = receive field, else transmit field) --------------
    std::string GetFreqText(int n, bool rx) const;
    // The stored frequency in 10 Hz units; 0 for an erased field.
    std::int32_t GetFreqValue(int n, bool rx) const;
    // The frequency's step byte marks the 6.25 kHz raster.
    bool IsFineStep(int n, bool rx) const;
    void SetFreqText(int n, bool rx, const std::string& text);
    std::string GetToneText(int n, bool rx) const;
    void SetToneText(int n, bool rx, const std::string& text);
    EToneKind GetToneKind(int n, bool rx) const;
    bool IsRxEmpty(int n) const;
    bool IsRxOrTxEmpty(int n) const;
    bool IsTxSameAsRx(int n) const;
    bool IsTxToneSameAsRx(int n) const;

    bool GetScanAdd(int n) const;
    void SetScanAdd(int n, bool inScanList);
    bool GetNarrow(int n) const;
    void SetNarrow(int n, bool narrow);
    bool GetOptCol6(int n) const; // true = yes
    void SetOptCol6(int n, bool yes);
    bool GetOptCol8(int n) const; // true = yes
    void SetOptCol8(int n, bool yes);

    // --- Radio-wide options, as list indexes and check-box states -------------------------
    bool GetBeepTone() const;
    void SetBeepTone(bool on);
    bool GetBatterySave() const;
    void SetBatterySave(bool on);
    bool GetWiredClone() const;
    void SetWiredClone(bool on);
    bool GetManualAdjust() const;
    void SetManualAdjust(bool on);
    int GetSquelchLevel() const;
    void SetSquelchLevel(int index);
    int GetMonitorKey() const;
    void SetMonitorKey(int index);
    int GetTimeOutTimer() const;
    void SetTimeOutTimer(int index);
    int GetScanType() const;
    void SetScanType(int index);
    int GetPriorityChannel() const;
    void SetPriorityChannel(int index);
    int GetLoopBackTime() const;
    void SetLoopBackTime(int index);
    int GetRevertChannel() const;
    void SetRevertChannel(int index);
    int GetDropoutDelay() const;
    void SetDropoutDelay(int index);

    // Counts channels 1..kScanChannelCount that are not empty and in the scan list; with fewer than
    // two the scan type is reset to no scan. True when there are two or more.
    bool HasScanList();

    // --- Limits ---------------------------------------------------------------------------
    // -1 below the lower limit, +1 above the upper limit, 0 inside or for empty text; the
    // unrounded value is compared.
    int CheckRange(const std::string& text) const;
    // The upper limit when upper is true, else the lower limit, as "%03d.%05d".
    std::string GetLimitText(bool upper) const;

private:
    friend class CDocEdit;
    // before is null for a change that begins now.
    void BeginEdit(EDocChange kind, const SDocState* before);
    void EndEdit();

    void SetPathName(const std::string& path);
    void NotifyState();

    MemoryImage m_image;
    FileHeader m_header;
    int m_nModel = -1;
    std::int32_t m_nFreqLow = kDefaultFreqLow;
    std::int32_t m_nFreqHigh = kDefaultFreqHigh;
    bool m_bModified = false;
    std::string m_strPathName;

    struct Observer {
        int id;
        std::function<void()> call;
    };
    std::vector<Observer> m_viewObservers;
    std::vector<Observer> m_stateObservers;
    struct ChangeObserver {
        int id;
        std::function<void(const SDocChange&)> call;
    };
    std::vector<ChangeObserver> m_changeObservers;
    int m_nextObserverId = 1;

    // The change under way: how many edit scopes are open, the kind of the outermost and the
    // state when it began.
    int m_nEditDepth = 0;
    EDocChange m_editKind = EDocChange::kField;
    SDocState m_editBefore;
};

// One change of the document: everything set between construction and destruction is one
// change of the kind given. Scopes nest; an inner scope joins the outermost, whose kind
// names the change and decides the modified flag (ModifiedRule). Every setter of the
// document opens one itself, so that a setter called alone is a change of its own (kField).
class CDocEdit {
public:
    explicit CDocEdit(CDromelPgmDoc& doc, EDocChange kind = EDocChange::kField) : m_doc(doc) {
        m_doc.BeginEdit(kind, nullptr);
    }
    // A change that began earlier, when the document was in the state before.
    CDocEdit(CDromelPgmDoc& doc, EDocChange kind, const SDocState& before) : m_doc(doc) {
        m_doc.BeginEdit(kind, &before);
    }
    ~CDocEdit() { m_doc.EndEdit(); }
    CDocEdit(const CDocEdit&) = delete;
    CDocEdit& operator=(const CDocEdit&) = delete;

private:
    CDromelPgmDoc& m_doc;
};
