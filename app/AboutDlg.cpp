#include "app/AboutDlg.h"

#include "app/AppOpenUrl.h"
#include "app/DialogBuilder.h"
#include "app/LangText.h"
#include "app/TranslateDialog.h"
#include "grid/PaletteColours.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

namespace {

const QColor kLinkColor(0x9f, 0xd8, 0xff);

} // namespace

CAboutDlg::CAboutDlg(const QUrl& link, QWidget* parent) : QDialog(parent), m_link(link) {
    BuildDialog(this, kDialogId);
    setMouseTracking(true);
    // The version label stands on the panel of the picture, in the text colours of a field.
    if (auto* version = qobject_cast<QLabel*>(GetDlgItem(this, kVersionId))) {
        version->setAutoFillBackground(true);
        version->setAlignment(Qt::AlignCenter);
        ShowVersionColours();
    }
}

void CAboutDlg::ShowVersionColours() {
    auto* version = qobject_cast<QLabel*>(GetDlgItem(this, kVersionId));
    if (!version) {
        return;
    }
    const QColor base = palette().color(QPalette::Base);
    QPalette colours = version->palette();
    colours.setColor(QPalette::Window, base);
    colours.setColor(QPalette::WindowText,
                     ReadableOn(palette().color(QPalette::Text), base, kTextContrast));
    version->setPalette(colours);
}

void CAboutDlg::changeEvent(QEvent* event) {
    if (event->type() == QEvent::PaletteChange) {
        ShowVersionColours();
    }
    QDialog::changeEvent(event);
}

int CAboutDlg::DoModal() {
    OnInitDialog();
    return exec();
}

void CAboutDlg::OnInitDialog() {
    TranslateDialog(this, kDialogId);
}

QRect CAboutDlg::LinkRect() const {
    const QWidget* area = GetDlgItem(this, kLinkAreaId);
    return area ? area->geometry() : QRect();
}

// The picture fills the box; the link's text, from the language file, is drawn over the
// link area, which itself stays invisible.
void CAboutDlg::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(rect(), QPixmap(QStringLiteral(":/about.png")));
    QFont font = this->font();
    font.setUnderline(true);
    painter.setFont(font);
    painter.setPen(kLinkColor);
    painter.drawText(LinkRect(), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     LangText("IDS_ABOUT_LINK"));
}

void CAboutDlg::mouseMoveEvent(QMouseEvent* event) {
    if (LinkRect().contains(event->position().toPoint())) {
        setCursor(Qt::PointingHandCursor);
    } else {
        unsetCursor();
    }
    QDialog::mouseMoveEvent(event);
}

void CAboutDlg::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && LinkRect().contains(event->position().toPoint())) {
        AppOpenUrl(m_link);
        accept();
        return;
    }
    QDialog::mousePressEvent(event);
}

// Enter closes the box as OK does; Esc goes on to the dialog's own cancel.
void CAboutDlg::keyPressEvent(QKeyEvent* event) {
    if ((event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier &&
        (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
