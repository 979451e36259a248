#include "app/TranslateDialog.h"

#include "app/DialogBuilder.h"
#include "app/LangString.h"
#include "app/LangText.h"

#include <QWidget>

namespace {

bool ShowsOwnText(ControlKind kind) {
    switch (kind) {
    case ControlKind::Group:
    case ControlKind::Static:
    case ControlKind::Button:
    case ControlKind::Check:
    case ControlKind::Radio:
        return true;
    default:
        return false;
    }
}

// A label as a screen reader says it: without its mnemonic marks.
QString SpokenLabel(QString text) {
    text.replace(QLatin1String("&&"), QLatin1String("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return text.trimmed();
}

// Controls with a text of their own are named by it as it changes; the others after the
// last static or group before them in the template, or by their name key.
void NameControls(QWidget* window, int dialogId) {
    const DialogTemplate* dialog = DialogTemplates().Find(dialogId);
    if (!dialog) {
        return;
    }
    QString label;
    for (const ControlTemplate& c : dialog->controls) {
        QWidget* control = GetDlgItem(window, c.id);
        if (!control) {
            continue;
        }
        const std::string key = c.StyleValue("name");
        if (!key.empty()) {
            control->setAccessibleName(LangText(key));
        } else if (ShowsOwnText(c.kind)) {
            label = SpokenLabel(GetControlText(control));
        } else if (!label.isEmpty()) {
            control->setAccessibleName(label);
        }
    }
}

} // namespace

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
    NameControls(window, dialogId);
}
