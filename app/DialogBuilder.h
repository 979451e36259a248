// Building Qt widgets from the dialog templates compiled into the program.
//
// Every widget made for a template control carries the property "ctrlId" (the control id);
// the window built from a template carries "dlgId". Controls are created in template order,
// so later controls stack above earlier ones (a control moved over another, such as a cell
// editor, is raised when shown). A custom control is a plain QWidget placeholder, named after
// its window class, at the template rectangle.
#pragma once

#include "app/DialogTemplate.h"

#include <QFont>
#include <QRect>
#include <QString>

class QWidget;

// The templates compiled into the program.
const DialogTemplateList& DialogTemplates();

// The template of dialog id; the program's own templates are all present, so a missing one
// is a fault of the program and ends it.
const DialogTemplate& GetDialogTemplate(int dialogId);

// The font of every dialog and of the main form.
QFont DialogFont();

// Converts a rectangle in dialog units of font to pixels: x units are a quarter of the
// font's average character width, y units an eighth of its character height.
QRect DialogUnitsToPixels(const QFont& font, int x, int y, int cx, int cy);

// Gives window the font, size, caption and controls of template dialogId.
void BuildDialog(QWidget* window, int dialogId);

// The first direct child of parent whose "ctrlId" is id, or null.
QWidget* GetDlgItem(const QWidget* parent, int id);

// The id of a control made by BuildDialog; -1 for any other widget.
int GetDlgCtrlID(const QWidget* control);

// The text of a control as the user sees it (label, button, group box title, edit field).
QString GetControlText(const QWidget* control);

// Sets the text of a control; controls without a text of their own (drop-down lists,
// progress bars, spin buttons, placeholders) are left alone.
void SetControlText(QWidget* control, const QString& text);
