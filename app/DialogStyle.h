// The style of the drop-down lists built from the dialog templates: the application's style,
// except that a list opens below its field as a list of at most its visible rows, as the
// templates size it, instead of a menu as tall as its entries.
#pragma once

#include <QProxyStyle>

class CDialogStyle : public QProxyStyle {
    Q_OBJECT

public:
    int styleHint(StyleHint hint, const QStyleOption* option = nullptr,
                  const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;
};

// The one instance, owned by the application.
CDialogStyle* DialogStyle();
