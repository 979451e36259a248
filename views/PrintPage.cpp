#include "views/PrintPage.h"

#include "app/AppClock.h"
#include "app/DialogBuilder.h"
#include "app/LangString.h"
#include "app/MulDiv.h"
#include "grid/GridCtrl.h"
#include "radio/FormRules.h"
#include "views/DromelPgmView.h"

#include <QBuffer>
#include <QDateTime>
#include <QFontMetrics>
#include <QLocale>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

#include <algorithm>
#include <array>
#include <ctime>
#include <optional>

namespace {

constexpr int IDC_MODEL_GROUP = 1200;
// Character heights of the measuring font (on the device) and of the drawing font (on the
// logical page).
constexpr int kMeasureHeight = 9;
constexpr int kDrawHeight = 11;
// The date line, the model line and the eleven option lines.
constexpr int kTextLines = 13;
constexpr const char* kAlphabet = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
constexpr int kAlphabetLength = 52;

// One option line: the caption of a label or check box, " : ", and what its control shows,
// the selected entry of a list or yes/no for a check box.
struct SOptionLine {
    int nCaptionId;
    std::optional<FormOption> list;
    std::optional<FormCheck> check;
};
constexpr std::array<SOptionLine, 11> kOptionLines{{
    {1203, FormOption::MonitorKey, {}},
    {1205, FormOption::TimeOut, {}},
    {1206, FormOption::Squelch, {}},
    {1006, {}, FormCheck::BeepTone},
    {1007, {}, FormCheck::BatterySave},
    {1005, {}, FormCheck::WiredClone},
    {1208, FormOption::ScanType, {}},
    {1209, FormOption::Priority, {}},
    {1210, FormOption::Revert, {}},
    {1212, FormOption::LoopBack, {}},
    {1214, FormOption::Dropout, {}},
}};

// The Times family; Liberation Serif has its metrics where Times New Roman is missing. Texts
// in other scripts (Chinese) take their glyphs from the system's fallback fonts.
QFont PrintFont(int height) {
    QFont font(QStringLiteral("Times New Roman"));
    font.setFamilies({QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif")});
    font.setPixelSize(height);
    return font;
}

// The caption of a control of the form as it shows it: the language file's text, else the
// template's.
QString FormCaption(int id) {
    std::string text = GetLangResource(id);
    if (text.empty()) {
        if (const ControlTemplate* control =
                GetDialogTemplate(CDromelPgmView::kFormTemplate).Control(id)) {
            text = control->text;
        }
    }
    return QString::fromStdString(text);
}

QString OptionValue(const CDromelPgmDoc& doc, const SOptionLine& line) {
    if (line.check) {
        return QString::fromStdString(
            GetLangString(GetFormCheck(doc, *line.check) ? "IDS_YES" : "IDS_NO"));
    }
    return QString::fromStdString(GetFormOptionText(doc, *line.list));
}

} // namespace

CPrintPage::CPrintPage(const CDromelPgmDoc& doc, CGridCtrl& grid) : m_doc(doc), m_grid(grid) {}

QString CPrintPage::DateText() {
    constexpr std::size_t kLocaleBuffer = 30;
    const QLocale locale(
        QString::fromStdString(GetLangValue("Face", "locale", "en", kLocaleBuffer)));
    const std::time_t now = std::chrono::system_clock::to_time_t(AppNow());
    return locale.toString(QDateTime::fromSecsSinceEpoch(now),
                           QStringLiteral("yyyy-MM-dd dddd HH:mm"));
}

int CPrintPage::ContentHeight() const {
    return kTextLines * m_grid.GetFixedRowHeight() + m_grid.GetVirtualHeight();
}

void CPrintPage::BeginPrinting(QPaintDevice& device) {
    const QFontMetrics metrics(PrintFont(kMeasureHeight), &device);
    m_nCharWidth = metrics.horizontalAdvance(QString::fromLatin1(kAlphabet)) / kAlphabetLength;
    m_nDevWidth = device.width();
    m_nDevHeight = device.height();
    m_nPageWidth = m_grid.GetVirtualWidth() + (m_nMarginLeft + m_nMarginRight) * m_nCharWidth;
    m_nPageHeight = MulDiv(m_nPageWidth, m_nDevHeight, m_nDevWidth);
    // A page wider than high (landscape) would cut the lower rows: the logical page grows
    // until every row fits, keeping the printable area's aspect.
    if (m_nPageHeight < ContentHeight()) {
        m_nPageHeight = ContentHeight();
        m_nPageWidth = std::max(m_nPageWidth, MulDiv(m_nPageHeight, m_nDevWidth, m_nDevHeight));
    }
}

void CPrintPage::DrawLine(QPainter& painter, const QString& text) const {
    // One line, never wrapped, clipped to its rectangle: cut at the grid's right edge.
    const QRect rect(0, 0, m_grid.GetVirtualWidth(), m_grid.GetFixedRowHeight());
    painter.drawText(rect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
    painter.translate(0, rect.height());
}

void CPrintPage::Print(QPainter& painter) const {
    painter.save();
    painter.setFont(PrintFont(kDrawHeight));
    painter.setPen(Qt::black);
    painter.setWindow(-m_nCharWidth * m_nMarginLeft, 0, m_nPageWidth, m_nPageHeight);
    painter.setViewport(0, 0, m_nDevWidth, m_nDevHeight);

    DrawLine(painter, DateText());
    DrawLine(painter,
             FormCaption(IDC_MODEL_GROUP) + QString::fromStdString(GetFormModelText(m_doc)));
    for (const SOptionLine& line : kOptionLines) {
        DrawLine(painter,
                 FormCaption(line.nCaptionId) + QStringLiteral(" : ") + OptionValue(m_doc, line));
    }

    m_grid.PrintFixedRows(painter);
    painter.translate(0, m_grid.GetFixedRowHeight());
    for (int row = m_grid.GetFixedRowCount(); row < m_grid.GetRowCount(); ++row) {
        m_grid.PrintRow(painter, row);
        painter.translate(0, m_grid.GetRowHeight(row));
    }
    painter.restore();
}

bool CPrintPage::PrintOn(QPaintDevice& device) {
    if (device.width() <= 0 || device.height() <= 0) {
        return false;
    }
    BeginPrinting(device);
    QPainter painter;
    if (!painter.begin(&device)) {
        return false;
    }
    Print(painter);
    return painter.end();
}

bool CPrintPage::PrintPdf(const QPrinter& printer, QByteArray& pdf) {
    pdf.clear();
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setPdfVersion(printer.pdfVersion());
    writer.setResolution(printer.resolution());
    writer.setPageLayout(printer.pageLayout());
    writer.setTitle(printer.docName());
    writer.setCreator(printer.creator());
    return PrintOn(writer);
}
