#include "app/DialogStyle.h"

#include <QApplication>
#include <QPointer>

int CDialogStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                            QStyleHintReturn* returnData) const {
    if (hint == SH_ComboBox_Popup) {
        return 0;
    }
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

CDialogStyle* DialogStyle() {
    static QPointer<CDialogStyle> style;
    if (!style) {
        style = new CDialogStyle;
        style->setParent(qApp);
    }
    return style;
}
