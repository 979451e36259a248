#include "app/SpinField.h"

#include <algorithm>

CSpinField::CSpinField(QWidget* parent) : QSpinBox(parent) {
    setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    setKeyboardTracking(true);
}

QValidator::State CSpinField::validate(QString& input, int& pos) const {
    const QString digits = input.trimmed();
    const bool allDigits =
        !digits.isEmpty() && std::all_of(digits.begin(), digits.end(), [](QChar c) {
            return c >= QLatin1Char('0') && c <= QLatin1Char('9');
        });
    bool ok = false;
    const qlonglong value = allDigits ? digits.toLongLong(&ok) : 0;
    // A number too long for any integer is beyond the range too. Below the range it may be
    // the start of a longer one, which the field judges itself.
    if (!allDigits || (ok && value <= maximum())) {
        return QSpinBox::validate(input, pos);
    }
    input = QString::number(maximum());
    pos = static_cast<int>(input.size());
    return QValidator::Acceptable;
}
