// Help > About: the program's picture with its version label, and an invisible link area
// (control 1062) that shows a pointing hand and opens the home page. Esc, Enter and the
// close box close the box; so does a click on the link.
#pragma once

#include <QDialog>
#include <QUrl>

class CAboutDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr int kDialogId = 100;
    static constexpr int kLinkAreaId = 1062;
    static constexpr int kVersionId = 1300;

    // link is the address the link area opens.
    explicit CAboutDlg(const QUrl& link, QWidget* parent = nullptr);

    int DoModal();

    // The link area in the dialog's coordinates: the rectangle of control 1062.
    QRect LinkRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void OnInitDialog();
    void ShowVersionColours();

    QUrl m_link;
};
