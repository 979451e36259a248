#include "app/TranslateDialog.h"

#include "app/DialogBuilder.h"
#include "app/LangString.h"

#include <QWidget>

void TranslateDialog(QWidget* window, int dialogId) {
    const std::string caption = GetLangResource(dialogId);
    if (!caption.empty()) {
        window->setWindowTitle(QString::fromStdString(caption));
    }
    for (QObject* child : window->children()) {
        auto* control = qobject_cast<QWidget*>(child);
        if (!control || !control->property("ctrlId").isValid()) {
            continue;
        }
        const std::string text = GetLangResource(GetDlgCtrlID(control));
        if (!text.empty()) {
            SetControlText(control, QString::fromStdString(text));
        }
    }
}
