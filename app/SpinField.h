// CSpinField: the number field with up and down arrows that an up-down control of a dialog
// template becomes. What is typed shows at once and counts at once; a number beyond the
// range is taken as the nearest end of it while it is typed ("999" in 0 to 255 shows 255).
// Up and Down step by one, Page Up and Page Down by ten.
#pragma once

#include <QSpinBox>

class CSpinField : public QSpinBox {
    Q_OBJECT

public:
    explicit CSpinField(QWidget* parent = nullptr);

protected:
    QValidator::State validate(QString& input, int& pos) const override;
};
