#include "link/RestoreDlg.h"

#include "app/LangText.h"
#include "link/BackupStore.h"
#include "link/TransferHistory.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int kWidth = 520;
constexpr int kHeight = 340;
constexpr int kPathRole = Qt::UserRole;

int ChannelsUsed(const CDromelPgmDoc& doc) {
    int used = 0;
    for (int n = 1; n <= kChannelCount; ++n) {
        used += doc.IsRxEmpty(n) ? 0 : 1;
    }
    return used;
}

} // namespace

QString CRestoreDlg::StampText(const std::string& stamp) {
    const QString s = QString::fromStdString(stamp);
    if (s.size() != 15) {
        return s;
    }
    return QStringLiteral("%1-%2-%3 %4:%5:%6")
        .arg(s.mid(0, 4), s.mid(4, 2), s.mid(6, 2), s.mid(9, 2), s.mid(11, 2), s.mid(13, 2));
}

CRestoreDlg::CRestoreDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(LangText("IDS_RESTORE_TITLE"));
    auto* layout = new QVBoxLayout(this);
    const std::vector<SBackupFile> backups = ListBackups();
    auto* intro = new QLabel(
        LangText(backups.empty() ? "IDS_RESTORE_NONE" : "IDS_RESTORE_CHOOSE", {BackupFolder()}),
        this);
    intro->setWordWrap(true);
    layout->addWidget(intro);

    m_list = new QTreeWidget(this);
    m_list->setRootIsDecorated(false);
    m_list->setHeaderLabels({LangText("IDS_RESTORE_TIME"), LangText("IDS_RESTORE_PORT"),
                             LangText("IDS_RESTORE_MODEL"), LangText("IDS_RESTORE_CHANNELS")});
    for (const SBackupFile& backup : backups) {
        CDromelPgmDoc doc;
        const DataFileResult loaded = doc.LoadFile(backup.path);
        const bool usable = loaded && loaded.headerAccepted;
        auto* item = new QTreeWidgetItem(m_list);
        item->setText(0, StampText(backup.stamp));
        item->setText(1, QString::fromStdString(backup.port));
        item->setText(2, usable ? QString::fromStdString(RadioModelName(doc))
                                : LangText("IDS_RESTORE_BROKEN"));
        item->setText(3, usable ? QString::number(ChannelsUsed(doc)) : QString());
        item->setData(0, kPathRole, QString::fromStdString(backup.path));
        item->setToolTip(0, QString::fromStdString(backup.path));
        if (!usable) {
            item->setFlags(item->flags() & ~Qt::ItemIsEnabled);
        }
    }
    m_list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    layout->addWidget(m_list);

    auto* buttons = new QDialogButtonBox(this);
    m_okButton = buttons->addButton(LangText("IDS_RESTORE_WRITE"), QDialogButtonBox::AcceptRole);
    m_okButton->setDefault(true);
    QPushButton* cancel = buttons->addButton(QDialogButtonBox::Cancel);
    layout->addWidget(buttons);
    connect(m_okButton, &QPushButton::clicked, this, &CRestoreDlg::OnOK);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, &CRestoreDlg::OnOK);
    connect(m_list, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current) {
        m_okButton->setEnabled(current != nullptr && (current->flags() & Qt::ItemIsEnabled));
    });
    for (int i = 0; i < m_list->topLevelItemCount(); ++i) {
        if (m_list->topLevelItem(i)->flags() & Qt::ItemIsEnabled) {
            m_list->setCurrentItem(m_list->topLevelItem(i));
            break;
        }
    }
    m_okButton->setEnabled(m_list->currentItem() != nullptr);
    resize(kWidth, kHeight);
}

void CRestoreDlg::OnOK() {
    const QTreeWidgetItem* item = m_list->currentItem();
    if (!item || !(item->flags() & Qt::ItemIsEnabled)) {
        return;
    }
    m_strChosen = item->data(0, kPathRole).toString().toStdString();
    accept();
}
