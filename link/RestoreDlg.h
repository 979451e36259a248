// Program > Restore Backup: the backups kept before the writes, newest first, with their time,
// port, radio model and how many channels they use. OK (Write to Radio) or a double click
// chooses one; the caller writes it with the checks of a write.
#pragma once

#include <QDialog>

#include <string>

class QPushButton;
class QTreeWidget;

class CRestoreDlg : public QDialog {
    Q_OBJECT

public:
    explicit CRestoreDlg(QWidget* parent = nullptr);

    int DoModal() { return exec(); }
    // The file of the backup chosen; empty before OK.
    const std::string& ChosenPath() const { return m_strChosen; }
    QTreeWidget* List() const { return m_list; }

    // "2026-12-08 15:42:07" of a backup's "20261208-154207".
    static QString StampText(const std::string& stamp);

private:
    void OnOK();

    QTreeWidget* m_list = nullptr;
    QPushButton* m_okButton = nullptr;
    std::string m_strChosen;
};
