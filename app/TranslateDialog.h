// Putting the language file's [Resource] texts on a dialog built from a template.
#pragma once

class QWidget;

// Sets the caption of window from [Resource] "^dialogId" and the text of each direct child
// control from "^<its control id>", where the language file has a non-empty entry; other
// texts stay as they are. Texts are used as written ("\n" stays two characters). Each control
// without a text of its own then gets its accessible name: the text of the static or group
// before it in the template, or the language file's text of its style name:<key>.
void TranslateDialog(QWidget* window, int dialogId);
