// The name of an edit-history step as the Edit menu shows it after "Undo" and "Redo": the
// user action of its kind, the column of a cell edit, the number of channels a paste, a
// clear or an import changed. Texts from the language file.
#pragma once

#include "radio/UndoHistory.h"

#include <string>

std::string UndoStepName(const SUndoStep& step);

// The channels of the grid (1..16) whose bytes the step changes.
int ChangedChannelCount(const CStateDiff& diff);
