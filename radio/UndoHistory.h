// The edit history of the document: every change the user made since the document was made
// new or opened, as steps that Undo takes back and Redo does again, without a limit while
// the program runs. A step holds only the bytes that differ (StateDiff.h), so it costs at
// most the 1072 bytes of one state. The history knows at which positions the document had no
// unsaved changes (the saved state, a completed read that left the flag clear), so that
// going back to one clears the modified flag and going elsewhere sets the flag.
#pragma once

#include "radio/DromelPgmDoc.h"
#include "radio/StateDiff.h"

#include <cstddef>
#include <vector>

struct SUndoStep {
    EDocChange kind;
    CStateDiff diff;
};

class CUndoHistory {
public:
    // Observes doc's changes from now on; the document as it is now is the first state.
    explicit CUndoHistory(CDromelPgmDoc& doc);
    ~CUndoHistory();
    CUndoHistory(const CUndoHistory&) = delete;
    CUndoHistory& operator=(const CUndoHistory&) = delete;

    // The step Undo takes back, the step Redo does again; null when there is none.
    const SUndoStep* UndoStep() const;
    const SUndoStep* RedoStep() const;
    // Puts the document back as it was before the last step done; nothing without one.
    void Undo();
    // Does the next step taken back again; nothing without one.
    void Redo();

    std::size_t StepCount() const { return m_steps.size(); }
    // The memory the steps hold.
    std::size_t MemoryBytes() const;

private:
    void OnChange(const SDocChange& change);
    void AddStep(EDocChange kind, const SDocState& after);
    void ReplaceCurrent(const SDocState& state);
    void Restore(std::size_t position, bool undo);

    CDromelPgmDoc& m_doc;
    int m_nObserver = 0;
    std::vector<SUndoStep> m_steps;
    std::size_t m_nPosition = 0; // the steps before this one are done
    // For each position 0..steps: the document had no unsaved changes there.
    std::vector<bool> m_clean{true};
    SDocState m_current; // the document's state at m_nPosition
};
