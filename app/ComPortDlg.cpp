#include "app/ComPortDlg.h"

#include "app/AppMessageBox.h"
#include "app/DialogBuilder.h"
#include "app/LangText.h"
#include "app/TranslateDialog.h"
#include "link/CommPort.h"
#include "link/LinkMessages.h"
#include "link/PortDevice.h"
#include "link/PortProbe.h"
#include "link/PortSystemName.h"

#include <QPushButton>
#include <QRadioButton>
#include <QStyle>

CComPortDlg::CComPortDlg(const CCommPort& port, QWidget* parent) : QDialog(parent), m_port(port) {
    BuildDialog(this, kDialogId);
    connect(qobject_cast<QPushButton*>(GetDlgItem(this, IDOK)), &QPushButton::clicked, this,
            &CComPortDlg::OnOK);
    connect(qobject_cast<QPushButton*>(GetDlgItem(this, IDCANCEL)), &QPushButton::clicked, this,
            &QDialog::reject);
}

int CComPortDlg::DoModal() {
    OnInitDialog();
    return exec();
}

QRadioButton* CComPortDlg::PortButton(int nPort) const {
    return qobject_cast<QRadioButton*>(GetDlgItem(this, kFirstButtonId + nPort - 1));
}

void CComPortDlg::OnInitDialog() {
    TranslateDialog(this, kDialogId);
    const int stored = GetConfiguredPort();
    for (int n = 1; n <= kPortCount; ++n) {
        ShowPort(n, n == stored);
    }
}

// Labels button n with its device and the system's name for it, then enables and checks
// it as the device allows. The stored port, while the program holds it, is shown available
// without opening it again.
void CComPortDlg::ShowPort(int nPort, bool bStored) {
    QRadioButton* button = PortButton(nPort);
    const std::string device = GetPortDevice(nPort);
    const std::string name = PortSystemName(device);

    const QFontMetrics metrics(button->font());
    const int width = button->width() -
                      button->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth) -
                      button->style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing) - 2;
    const QString first =
        GetControlText(button) + QStringLiteral("  ") + QString::fromStdString(device);
    QString label = metrics.elidedText(first, Qt::ElideMiddle, width);
    QStringList tip = {first};
    if (!name.empty()) {
        label += QLatin1Char('\n') +
                 metrics.elidedText(QString::fromStdString(name), Qt::ElideRight, width);
        tip.append(QString::fromStdString(name));
    }
    button->setText(label);

    if (bStored && m_port.IsOpen()) {
        button->setEnabled(true);
        button->setChecked(true);
        tip.append(LangText("IDS_PORT_HELD", {device}));
    } else {
        int nErrno = 0;
        const PortOpenError state = ProbePort(device, nErrno);
        const bool available = state == PortOpenOk;
        button->setEnabled(available);
        button->setChecked(available && bStored);
        if (!available) {
            tip.append(QString::fromStdString(PortOpenErrorText(device, state, nErrno)));
        }
    }
    button->setToolTip(tip.join(QLatin1Char('\n')));
}

void CComPortDlg::OnOK() {
    m_nPort = 0;
    for (int n = 1; n <= kPortCount; ++n) {
        if (PortButton(n)->isChecked()) {
            m_nPort = n;
            break;
        }
    }
    accept();
}
