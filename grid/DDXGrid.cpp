#include "grid/DDXGrid.h"

#include "grid/GridCtrl.h"

#include <QVariant>
#include <QWidget>

namespace {

QWidget* FindDlgControl(QWidget* dialog, int id, const QWidget* except) {
    for (QObject* child : dialog->children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (widget && widget != except && !widget->isWindow()) {
            const QVariant value = widget->property("ctrlId");
            if (value.isValid() && value.toInt() == id) {
                return widget;
            }
        }
    }
    return nullptr;
}

} // namespace

bool AttachToDlgControl(QWidget* dialog, int id, QWidget& control) {
    if (!dialog) {
        return false;
    }
    QWidget* templ = FindDlgControl(dialog, id, &control);
    if (!templ) {
        return false;
    }
    control.setParent(dialog);
    control.setGeometry(templ->geometry());
    control.setProperty("ctrlId", id);
    if (!templ->objectName().isEmpty()) {
        control.setObjectName(templ->objectName());
    }
    control.stackUnder(templ);
    // The placeholder takes no focus; for a moment it must, to hand on its place in the tab
    // order.
    templ->setFocusPolicy(Qt::TabFocus);
    QWidget::setTabOrder(templ, &control);
    control.setEnabled(!templ->testAttribute(Qt::WA_ForceDisabled));
    control.setVisible(!templ->testAttribute(Qt::WA_WState_ExplicitShowHide) || !templ->isHidden());
    delete templ;
    return true;
}

bool DDX_Grid(QWidget* dialog, int id, CGridCtrl& grid) {
    if (dialog && grid.parentWidget() == dialog && grid.property("ctrlId").toInt() == id) {
        return true;
    }
    if (!AttachToDlgControl(dialog, id, grid)) {
        return false;
    }
    grid.ResetScrollBars();
    return true;
}
