#include "views/FormTips.h"

#include "app/DialogBuilder.h"
#include "app/LangText.h"
#include "grid/GridCtrl.h"
#include "radio/ChannelRules.h"

#include <QHelpEvent>
#include <QToolTip>

#include <array>

namespace {

// A control and its label (0 for a control that is its own label) share one tooltip.
struct SControlTip {
    int control;
    int label;
};
constexpr std::array<SControlTip, 12> kControlTips{{
    {1001, 1200}, // model
    {1002, 1203}, // monitor key
    {1003, 1205}, // time-out timer
    {1004, 1206}, // squelch level
    {1006, 0},    // beep tone
    {1007, 0},    // battery save
    {1005, 0},    // wired clone mode
    {1008, 1208}, // scan type
    {1009, 1209}, // priority channel
    {1010, 1210}, // revert channel
    {1011, 1212}, // loop back time
    {1013, 1214}, // dropout delay time
}};

} // namespace

CFormTips::CFormTips(QWidget& form, CGridCtrl& grid) : QObject(&form), m_form(form), m_grid(grid) {
    m_grid.installEventFilter(this);
}

void CFormTips::Translate() {
    for (const SControlTip& tip : kControlTips) {
        const QString text = LangText("IDS_CTRLTIP_" + std::to_string(tip.control));
        for (const int id : {tip.control, tip.label}) {
            if (QWidget* widget = id != 0 ? GetDlgItem(&m_form, id) : nullptr) {
                widget->setToolTip(text);
            }
        }
    }
}

QString CFormTips::HeadingTip(int col) {
    if (col < 0 || col >= kChannelColumns) {
        return {};
    }
    return LangText("IDS_COLTIP" + std::to_string(col));
}

bool CFormTips::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &m_grid || event->type() != QEvent::ToolTip) {
        return false;
    }
    const auto* help = static_cast<QHelpEvent*>(event);
    const CCellID cell = m_grid.GetCellFromPt(help->pos());
    const QString tip = cell.row == 0 ? HeadingTip(cell.col) : QString();
    if (tip.isEmpty()) {
        QToolTip::hideText();
    } else {
        QToolTip::showText(help->globalPos(), tip, &m_grid);
    }
    return true;
}
