// Binding the grid and the cell editors to the controls of a dialog built from a template.
// The template builder gives each control the property "ctrlId"; the grid's control is a
// plain placeholder widget at the template rectangle.
#pragma once

class CGridCtrl;
class QWidget;

// Puts control in the place of the dialog's direct child whose "ctrlId" is id: same
// geometry, stacking order, place in the tab order, visibility, enabled state and id; the
// template's widget is then deleted. Returns false when the dialog has no such child.
bool AttachToDlgControl(QWidget* dialog, int id, QWidget& control);

// Attaches the grid to the dialog's grid control unless it is attached there already; the
// grid takes the dialog's font and sets up its scroll bars. Returns false when the dialog
// has no control with that id.
bool DDX_Grid(QWidget* dialog, int id, CGridCtrl& grid);
