#include "radio/UndoHistory.h"

namespace {

// Changes that are no step of their own: they follow what the document already holds (a
// setter called outside a user action, such as the scan type reset when fewer than two
// channels scan) or put back a state the history holds already (Test Frequency's Cancel).
bool IsFollowUp(EDocChange kind) {
    return kind == EDocChange::kField || kind == EDocChange::kTestFreqUndo;
}

} // namespace

CUndoHistory::CUndoHistory(CDromelPgmDoc& doc) : m_doc(doc), m_current(doc.State()) {
    m_nObserver = m_doc.AddChangeObserver([this](const SDocChange& c) { OnChange(c); });
}

CUndoHistory::~CUndoHistory() {
    m_doc.RemoveChangeObserver(m_nObserver);
}

const SUndoStep* CUndoHistory::UndoStep() const {
    return m_nPosition > 0 ? &m_steps[m_nPosition - 1] : nullptr;
}

const SUndoStep* CUndoHistory::RedoStep() const {
    return m_nPosition < m_steps.size() ? &m_steps[m_nPosition] : nullptr;
}

std::size_t CUndoHistory::MemoryBytes() const {
    std::size_t bytes = m_steps.capacity() * sizeof(SUndoStep);
    for (const SUndoStep& step : m_steps) {
        bytes += step.diff.MemoryBytes();
    }
    return bytes;
}

void CUndoHistory::Undo() {
    if (m_nPosition > 0) {
        Restore(m_nPosition - 1, true);
    }
}

void CUndoHistory::Redo() {
    if (m_nPosition < m_steps.size()) {
        Restore(m_nPosition + 1, false);
    }
}

// Position and state change before the document does, so that a change that follows the
// restored state (the form shown again resets the scan type) finds the history where the
// document is, even when it is told before the history hears of the restore itself.
void CUndoHistory::Restore(std::size_t position, bool undo) {
    SDocState target = m_current;
    m_steps[undo ? position : m_nPosition].diff.ApplyTo(target);
    m_nPosition = position;
    m_current = target;
    const bool saved = m_clean[position];
    const EDocChange kind = undo ? (saved ? EDocChange::kUndoToSaved : EDocChange::kUndo)
                                 : (saved ? EDocChange::kRedoToSaved : EDocChange::kRedo);
    m_doc.RestoreState(target, kind);
}

void CUndoHistory::OnChange(const SDocChange& change) {
    switch (change.kind) {
    case EDocChange::kNew:
    case EDocChange::kOpen:
        m_steps.clear();
        m_nPosition = 0;
        m_clean.assign(1, true);
        m_current = change.after;
        return;
    case EDocChange::kSave:
        // Only the saved state is the file's now.
        m_clean.assign(m_steps.size() + 1, false);
        m_clean[m_nPosition] = true;
        m_current = change.after;
        return;
    default:
        break;
    }
    if (IsHistoryMove(change.kind)) {
        return;
    }
    if (IsFollowUp(change.kind)) {
        ReplaceCurrent(change.after);
    } else if (change.kind == EDocChange::kListCommit && m_nPosition == m_steps.size() &&
               m_nPosition > 0 && m_steps.back().kind == EDocChange::kListSelection &&
               !m_clean[m_nPosition]) {
        // The value stored as the list closes joins its selection: one Undo takes back the
        // list edit.
        m_steps.back().kind = EDocChange::kListCommit;
        ReplaceCurrent(change.after);
    } else {
        AddStep(change.kind, change.after);
    }
}

// A new step drops the steps taken back, and with them a saved state among them. The
// document's flag, set by the kind's rule before the change is told, says whether the new
// position has unsaved changes.
void CUndoHistory::AddStep(EDocChange kind, const SDocState& after) {
    m_steps.resize(m_nPosition);
    m_clean.resize(m_nPosition + 1);
    m_steps.push_back({kind, CStateDiff::Between(m_current, after)});
    m_clean.push_back(!m_doc.IsModified());
    ++m_nPosition;
    m_current = after;
}

// The state at the position becomes state: the step that led here now ends in it, the step
// after it starts from it.
void CUndoHistory::ReplaceCurrent(const SDocState& state) {
    if (m_nPosition > 0) {
        CStateDiff& diff = m_steps[m_nPosition - 1].diff;
        SDocState before = m_current;
        diff.ApplyTo(before);
        diff = CStateDiff::Between(before, state);
    }
    if (m_nPosition < m_steps.size()) {
        CStateDiff& diff = m_steps[m_nPosition].diff;
        SDocState after = m_current;
        diff.ApplyTo(after);
        diff = CStateDiff::Between(state, after);
    }
    m_current = state;
    // A last step that the follow-up undid is no step any more.
    if (m_nPosition > 0 && m_nPosition == m_steps.size() && m_steps.back().diff.IsEmpty()) {
        m_steps.pop_back();
        m_clean.pop_back();
        --m_nPosition;
    }
}
