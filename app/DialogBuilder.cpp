#include "app/DialogBuilder.h"
#include "app/SpinField.h"

#include "app/DialogStyle.h"
#include "app/MulDiv.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardItemModel>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QWidget>

#include <algorithm>

// The resources are linked from a static library: register them before the first use.
static void InitResources() {
    Q_INIT_RESOURCE(resources);
}

namespace {

DialogTemplateList LoadTemplates() {
    InitResources();
    QFile file(QStringLiteral(":/dialogs.dlg"));
    if (!file.open(QIODevice::ReadOnly)) {
        qFatal("The dialog templates are missing from the program");
    }
    DialogTemplateList list = ParseDialogTemplates(file.readAll().toStdString());
    if (!list.error.empty()) {
        qFatal("The dialog templates are damaged: %s", list.error.c_str());
    }
    return list;
}

// The templates are drawn in Windows dialog units for Windows controls, which keep this much
// beside their text, in pixels: a drop-down list a 2-pixel border on each side, a 17-pixel
// button and a pixel of padding on each side of its text; a check box or radio button a
// 13-pixel box and a 3-pixel gap.
constexpr int kWindowsListTextMargin = 2 * 2 + 17 + 2;
constexpr int kWindowsButtonTextMargin = 13 + 3;
// The styles draw a list's current text a pixel inside each side of its edit field.
constexpr int kListTextPadding = 1;

// The letters every dialog unit conversion averages.
const QString kLetters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");

// The combo box keeps its entries sorted by text, ignoring case, as they are added.
void MakeSorted(QComboBox* combo) {
    constexpr int kSortKeyRole = Qt::UserRole + 100;
    auto* model = qobject_cast<QStandardItemModel*>(combo->model());
    model->setSortRole(kSortKeyRole);
    QObject::connect(model, &QAbstractItemModel::rowsInserted, combo,
                     [model](const QModelIndex&, int first, int last) {
                         for (int row = first; row <= last; ++row) {
                             QStandardItem* item = model->item(row);
                             item->setData(item->text().toCaseFolded(), kSortKeyRole);
                         }
                         model->sort(0);
                     });
}

// Typed letters become capitals.
void MakeUpperCase(QLineEdit* edit) {
    QObject::connect(edit, &QLineEdit::textEdited, edit, [edit](const QString& text) {
        const QString upper = text.toUpper();
        if (upper != text) {
            const int cursor = edit->cursorPosition();
            edit->setText(upper);
            edit->setCursorPosition(cursor);
        }
    });
}

QComboBox* MakeCombo(const ControlTemplate& c, QWidget* parent, const QFont& font, bool editable) {
    auto* combo = new QComboBox(parent);
    combo->setEditable(editable);
    if (editable) {
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->setEditText(QString::fromStdString(c.text));
        if (c.Has("uppercase")) {
            MakeUpperCase(combo->lineEdit());
        }
    }
    if (c.Has("sort")) {
        MakeSorted(combo);
    }
    // The template height covers the field and its open list of rows one character high.
    combo->setStyle(DialogStyle());
    const int listHeight = DialogUnitsToPixels(font, 0, 0, 0, c.cy).height();
    const int fieldHeight = combo->sizeHint().height();
    const int lineHeight = QFontMetrics(font).height();
    combo->setMaxVisibleItems(std::max(1, (listHeight - fieldHeight) / lineHeight));
    return combo;
}

QWidget* MakeLabel(const ControlTemplate& c, QWidget* parent) {
    auto* label = new QLabel(QString::fromStdString(c.text), parent);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(!c.Has("nowrap"));
    Qt::Alignment align = Qt::AlignLeft;
    if (c.Has("center")) {
        align = Qt::AlignHCenter;
    } else if (c.Has("right")) {
        align = Qt::AlignRight;
    }
    label->setAlignment(align | Qt::AlignTop);
    if (c.Has("border")) {
        label->setFrameShape(QFrame::Box);
    }
    return label;
}

QWidget* MakeEdit(const ControlTemplate& c, QWidget* parent) {
    auto* edit = new QLineEdit(QString::fromStdString(c.text), parent);
    edit->setFrame(c.Has("border"));
    if (c.Has("password")) {
        edit->setEchoMode(QLineEdit::Password);
    }
    edit->setReadOnly(c.Has("readonly"));
    if (c.Has("uppercase")) {
        MakeUpperCase(edit);
    }
    return edit;
}

QWidget* MakeButton(const ControlTemplate& c, QWidget* parent) {
    auto* button = new QPushButton(QString::fromStdString(c.text), parent);
    button->setAutoDefault(true);
    button->setDefault(c.Has("default"));
    return button;
}

QWidget* MakeProgress(const ControlTemplate&, QWidget* parent) {
    auto* bar = new QProgressBar(parent);
    bar->setTextVisible(false);
    bar->setRange(0, 100);
    bar->setValue(0);
    return bar;
}

// An up-down control is a number field with its arrows, at its own rectangle.
QWidget* MakeUpDown(QWidget* parent) {
    auto* spin = new CSpinField(parent);
    spin->setRange(0, 100);
    return spin;
}

QWidget* MakeControl(const ControlTemplate& c, QWidget* parent, const QFont& font) {
    const QString text = QString::fromStdString(c.text);
    switch (c.kind) {
    case ControlKind::Group:
        return new QGroupBox(text, parent);
    case ControlKind::Static:
        return MakeLabel(c, parent);
    case ControlKind::Edit:
        return MakeEdit(c, parent);
    case ControlKind::DropList:
        return MakeCombo(c, parent, font, false);
    case ControlKind::DropDown:
        return MakeCombo(c, parent, font, true);
    case ControlKind::Button:
        return MakeButton(c, parent);
    case ControlKind::Check:
        return new QCheckBox(text, parent);
    case ControlKind::Radio:
        return new QRadioButton(text, parent);
    case ControlKind::Progress:
        return MakeProgress(c, parent);
    case ControlKind::UpDown:
        return MakeUpDown(parent);
    case ControlKind::Custom:
        break;
    }
    auto* placeholder = new QWidget(parent);
    placeholder->setObjectName(QString::fromStdString(c.StyleValue("class")));
    return placeholder;
}

// The pixels a list, check box or radio button of the size of rect keeps beside its text, as
// its style draws it; -1 for other controls.
int StyleTextMargin(const QWidget* control, const QRect& rect) {
    const QStyle* style = control->style();
    if (auto* combo = qobject_cast<const QComboBox*>(control)) {
        QStyleOptionComboBox option;
        option.initFrom(combo);
        option.rect = QRect(QPoint(0, 0), rect.size());
        option.editable = combo->isEditable();
        option.frame = combo->hasFrame();
        option.subControls = QStyle::SC_All;
        const QRect field = style->subControlRect(QStyle::CC_ComboBox, &option,
                                                  QStyle::SC_ComboBoxEditField, combo);
        return rect.width() - field.width() + 2 * kListTextPadding;
    }
    if (qobject_cast<const QCheckBox*>(control)) {
        return style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, control) +
               style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, control);
    }
    if (qobject_cast<const QRadioButton*>(control)) {
        return style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, control) +
               style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, control);
    }
    return -1;
}

// A list, check box or radio button gets at least the room for its text that its template
// gives it on Windows: it is widened by what its style keeps beside the text beyond what the
// Windows control keeps.
int WidthForText(const QWidget* control, const QRect& rect) {
    const int width = rect.width();
    const int margin = StyleTextMargin(control, rect);
    const int windows =
        qobject_cast<const QComboBox*>(control) ? kWindowsListTextMargin : kWindowsButtonTextMargin;
    return margin < 0 ? width : width + std::max(0, margin - windows);
}

} // namespace

const DialogTemplateList& DialogTemplates() {
    static const DialogTemplateList list = LoadTemplates();
    return list;
}

const DialogTemplate& GetDialogTemplate(int dialogId) {
    const DialogTemplate* dialog = DialogTemplates().Find(dialogId);
    if (!dialog) {
        qFatal("Dialog template %d is missing from the program", dialogId);
    }
    return *dialog;
}

// The horizontal base unit rounds the average letter width; the letters of Liberation Sans
// at 11 pixels are a fifteenth wider than the unit they round to. The font is narrowed until
// its average letter is one unit wide, so that a text takes about as many dialog units as in
// the Windows dialog font the templates were drawn for.
QFont DialogFont() {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(11);
    font.setStyleHint(QFont::SansSerif);
    const int letters = QFontMetrics(font).horizontalAdvance(kLetters);
    const int baseX = (letters / 26 + 1) / 2;
    const int stretch = (200 * baseX * kLetters.size() + letters) / (2 * letters); // rounded
    if (stretch < 100) {
        font.setStretch(stretch);
    }
    return font;
}

QRect DialogUnitsToPixels(const QFont& font, int x, int y, int cx, int cy) {
    const QFontMetrics metrics(font);
    const int width = metrics.horizontalAdvance(kLetters);
    const int baseX = (width / 26 + 1) / 2;
    const int baseY = metrics.height();
    return {MulDiv(x, baseX, 4), MulDiv(y, baseY, 8), MulDiv(cx, baseX, 4), MulDiv(cy, baseY, 8)};
}

void BuildDialog(QWidget* window, int dialogId) {
    const DialogTemplate& dialog = GetDialogTemplate(dialogId);
    const QFont font = DialogFont();
    window->setFont(font);
    window->setProperty("dlgId", dialogId);
    const QRect size = DialogUnitsToPixels(font, 0, 0, dialog.cx, dialog.cy);
    if (dialog.Has("child")) {
        window->resize(size.size());
    } else {
        window->setFixedSize(size.size());
        window->setWindowTitle(QString::fromStdString(dialog.caption));
    }

    QWidget* previousInTabOrder = nullptr; // the tab order follows the template order
    for (const ControlTemplate& c : dialog.controls) {
        QRect rect = DialogUnitsToPixels(font, c.x, c.y, c.cx, c.cy);
        QWidget* control = MakeControl(c, window, font);
        control->setProperty("ctrlId", c.id);
        if (qobject_cast<QComboBox*>(control)) {
            rect.setHeight(control->sizeHint().height());
        }
        rect.setWidth(WidthForText(control, rect));
        control->setGeometry(rect);
        control->setEnabled(!c.Has("disabled"));
        control->setVisible(!c.Has("hidden"));
        if (c.kind == ControlKind::Custom && c.Has("tabstop")) {
            control->setFocusPolicy(Qt::StrongFocus);
        }
        if (control->focusPolicy() != Qt::NoFocus) {
            if (previousInTabOrder) {
                QWidget::setTabOrder(previousInTabOrder, control);
            }
            previousInTabOrder = control;
        }
    }
}

QWidget* GetDlgItem(const QWidget* parent, int id) {
    for (QObject* child : parent->children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (widget && GetDlgCtrlID(widget) == id) {
            return widget;
        }
    }
    return nullptr;
}

int GetDlgCtrlID(const QWidget* control) {
    const QVariant id = control->property("ctrlId");
    return id.isValid() ? id.toInt() : -1;
}

QString GetControlText(const QWidget* control) {
    if (auto* label = qobject_cast<const QLabel*>(control)) {
        return label->text();
    }
    if (auto* button = qobject_cast<const QAbstractButton*>(control)) {
        return button->text();
    }
    if (auto* group = qobject_cast<const QGroupBox*>(control)) {
        return group->title();
    }
    if (auto* edit = qobject_cast<const QLineEdit*>(control)) {
        return edit->text();
    }
    if (auto* combo = qobject_cast<const QComboBox*>(control)) {
        return combo->currentText();
    }
    return {};
}

void SetControlText(QWidget* control, const QString& text) {
    if (auto* label = qobject_cast<QLabel*>(control)) {
        label->setText(text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        button->setText(text);
    } else if (auto* group = qobject_cast<QGroupBox*>(control)) {
        group->setTitle(text);
    } else if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        edit->setText(text);
    } else if (auto* combo = qobject_cast<QComboBox*>(control); combo && combo->isEditable()) {
        combo->setEditText(text);
    }
}
