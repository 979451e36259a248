#include "link/DifferencesDlg.h"

#include "app/LangText.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kWidth = 520;
constexpr int kHeight = 320;

// An empty field reads "(empty)", so that the line still reads.
std::string Shown(const std::string& text) {
    return text.empty() ? LangText("IDS_DIFF_EMPTY").toStdString() : text;
}

} // namespace

QString CDifferencesDlg::DifferencesText(const std::vector<FieldDiff>& diffs) {
    QString text;
    for (const FieldDiff& d : diffs) {
        text += d.valuesShown ? LangText("IDS_DIFF_LINE", {d.name, Shown(d.a), Shown(d.b)})
                              : LangText("IDS_DIFF_HIDDEN", {d.name});
        text += QLatin1Char('\n');
    }
    return text;
}

CDifferencesDlg::CDifferencesDlg(const std::vector<FieldDiff>& diffs, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(LangText("IDS_DIFF_TITLE"));
    auto* layout = new QVBoxLayout(this);
    auto* summary =
        new QLabel(diffs.empty() ? LangText("IDS_DIFF_NONE")
                                 : LangText("IDS_DIFF_COUNT", {std::to_string(diffs.size())}),
                   this);
    summary->setWordWrap(true);
    layout->addWidget(summary);
    m_text = new QPlainTextEdit(this);
    m_text->setReadOnly(true);
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_text->setPlainText(DifferencesText(diffs));
    layout->addWidget(m_text);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* copy = buttons->addButton(LangText("IDS_DIFF_COPY"), QDialogButtonBox::ActionRole);
    QPushButton* close = buttons->addButton(QDialogButtonBox::Close);
    close->setDefault(true);
    layout->addWidget(buttons);
    connect(copy, &QPushButton::clicked, this,
            [this] { QApplication::clipboard()->setText(Text()); });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    resize(kWidth, kHeight);
}

QString CDifferencesDlg::Text() const {
    return m_text->toPlainText();
}
