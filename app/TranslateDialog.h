// Putting the language file's [Resource] texts on a dialog built from a template.
#pragma once

class QWidget;

// Sets the caption of window from [Resource] "^dialogId" and the text of each direct child
// control from "^<its control id>", where the language file has a non-empty entry; other
// texts stay as they are. Texts are used as written ("\n" stays two characters).
void TranslateDialog(QWidget* window, int dialogId);
