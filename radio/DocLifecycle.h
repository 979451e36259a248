// New, Open, Save and Save As of the document, with their questions: the clear-data question
// of New, the header warning of Open, the overwrite question of Save, and the usual
// save-changes question before anything replaces a modified document.
#pragma once

#include "radio/DocQuestions.h"
#include "radio/DromelPgmDoc.h"

class CDocLifecycle {
public:
    CDocLifecycle(CDromelPgmDoc& doc, CDocQuestions& questions);

    // When set, the next new-document step asks no question and clears the flag. Set it
    // before the first document of the program is made.
    bool m_bSilentNew = false;

    // File New. Asks to save changes, then (unless silent) whether to clear the data; on OK
    // the document becomes a new model-2 document and all views are updated. True when the
    // document was replaced; false when a question was answered Cancel or a save failed.
    bool FileNew();

    // Opens a data file by name (File Open, recent files, command line, a dropped file).
    // Asks to save changes, makes a new model-2 document without a question, then loads the
    // file. A file without this tool's signature is reported (IDS_WARN_LOAD) and opened with
    // an erased image and no file name: it neither names the window nor enters the recent
    // files, and Save asks where to save. A file that cannot be read is reported
    // (IDS_ERROR_OPEN) and the new document remains. True when the document now holds the
    // file.
    bool OpenDocumentFile(const std::string& path);

    // File Save: asks IDS_WARN_SAVE followed by the path, or for a file name when the
    // document has none. True when saved; a failed save is reported (IDS_ERROR_SAVE).
    bool FileSave();
    // File Save As: asks for a file name and saves without the overwrite question.
    bool FileSaveAs();
    // Saves to path without a question; a failure is reported. True when saved.
    bool DoSave(const std::string& path);

    // Before the document is replaced or the program ends: when the document is modified,
    // asks whether to save it (Yes saves, No discards, Cancel stops). True when the caller
    // may go on.
    bool SaveModified();

private:
    bool OnNewDocument();

    CDromelPgmDoc& m_doc;
    CDocQuestions& m_questions;
};
