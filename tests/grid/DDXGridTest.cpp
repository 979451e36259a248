// Attaching the grid and the editors to the controls of a dialog built from a template.
#include "grid/DDXGrid.h"
#include "grid/CellEdit.h"

#include "GridTestSupport.h"

#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <gtest/gtest.h>

namespace {

// What the template builder makes: widgets with "ctrlId", the grid's control a placeholder.
class TemplateDialog : public NotifyRecorder {
public:
    QLabel* m_label = new QLabel("Channels", this);
    QWidget* m_placeholder = new QWidget(this);
    QLineEdit* m_edit = new QLineEdit(this);
    QPushButton* m_ok = new QPushButton("OK", this);

    TemplateDialog() {
        m_label->setProperty("ctrlId", 1200);
        m_placeholder->setProperty("ctrlId", 1030);
        m_placeholder->setGeometry(10, 30, 300, 150);
        m_edit->setProperty("ctrlId", 1031);
        m_edit->hide();
        m_edit->setEnabled(false);
        m_ok->setProperty("ctrlId", 1);
        QFont font("Liberation Sans");
        font.setPixelSize(17);
        setFont(font);
        resize(400, 250);
    }
};

} // namespace

TEST(DDXGrid, TheGridTakesThePlaceholdersPlace) {
    TemplateDialog dialog;
    QPointer<QWidget> placeholder = dialog.m_placeholder;
    CGridCtrl grid;
    ASSERT_TRUE(DDX_Grid(&dialog, 1030, grid));
    EXPECT_TRUE(placeholder.isNull());
    EXPECT_EQ(grid.parentWidget(), &dialog);
    EXPECT_EQ(grid.geometry(), QRect(10, 30, 300, 150));
    EXPECT_EQ(grid.property("ctrlId").toInt(), 1030);
    EXPECT_EQ(grid.font(), dialog.font());
    EXPECT_EQ(grid.GetMargin(), QFontMetrics(dialog.font()).horizontalAdvance(' '));

    // Stacking and tab order are those of the placeholder: after the label, before the edit.
    const QObjectList children = dialog.children();
    EXPECT_EQ(children.indexOf(&grid), children.indexOf(dialog.m_label) + 1);
    std::vector<QWidget*> chain;
    for (QWidget* w = dialog.nextInFocusChain(); w != &dialog; w = w->nextInFocusChain()) {
        chain.push_back(w);
    }
    const auto at = [&chain](QWidget* w) { return std::find(chain.begin(), chain.end(), w); };
    EXPECT_LT(at(dialog.m_label), at(&grid));
    EXPECT_LT(at(&grid), at(dialog.m_edit));

    // Exchanged again, nothing changes; an id without a control fails.
    EXPECT_TRUE(DDX_Grid(&dialog, 1030, grid));
    EXPECT_EQ(grid.parentWidget(), &dialog);
    CGridCtrl other;
    EXPECT_FALSE(DDX_Grid(&dialog, 1078, other));
    EXPECT_EQ(other.parentWidget(), nullptr);

    // The attached grid lays out, scrolls and tells the dialog.
    LayOutChannelGrid(grid);
    ShowActive(dialog);
    EXPECT_TRUE(grid.isVisible());
    EXPECT_GT(grid.verticalScrollBar()->maximum(), 0);
    grid.SetFocusCell(2, 2);
    grid.setFocus();
    dialog.Take();
    QTest::keyClick(&grid, Qt::Key_Return);
    EXPECT_EQ(dialog.Take(), (std::vector<NotifyEntry>{{GVN_BEGINLABELEDIT, 2, 2}}));
}

TEST(DDXGrid, AnEditorTakesItsControlsPlaceHiddenAndDisabled) {
    TemplateDialog dialog;
    CCellEdit edit;
    ASSERT_TRUE(AttachToDlgControl(&dialog, 1031, edit));
    ShowActive(dialog);
    EXPECT_EQ(edit.parentWidget(), &dialog);
    EXPECT_FALSE(edit.isVisible());
    EXPECT_FALSE(edit.isEnabled());
    EXPECT_EQ(edit.property("ctrlId").toInt(), 1031);
    EXPECT_EQ(dialog.findChildren<QLineEdit*>().size(), 1);
    edit.Begin(QRect(20, 40, 90, 20), "146.52000");
    EXPECT_TRUE(edit.isVisible());
    EXPECT_TRUE(edit.hasFocus());
}
