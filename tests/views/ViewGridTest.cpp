// The channel grid of the main form edited with the mouse and the keyboard as a user does:
// an editor opens over the cell, and the content goes to the document when it closes.
#include "grid/GridTestSupport.h"
#include "radio/ChannelRules.h"
#include "radio/UndoHistory.h"

#include "ViewFixture.h"

#include <QLineEdit>

namespace {

class ViewGridTest : public ViewTest {
protected:
    void ClickCell(int row, int col) { ::ClickCell(Grid(), row, col); }
    void EnterText(int row, int col, const QString& keys) {
        ::EnterText(Grid(), row, col, keys, [this] { return EditorOpen(); });
    }
    bool EditorOpen() const {
        return ::EditorOpen({GetDlgItem(m_view.get(), 1031), GetDlgItem(m_view.get(), 1032),
                             GetDlgItem(m_view.get(), 1033)});
    }
    std::string Freq(int n, bool rx) const { return m_doc.GetFreqText(n, rx); }
};

} // namespace

TEST_F(ViewGridTest, TypingAFrequencyCommitsItWithTheLimitsAndTheTransmitSide) {
    // An empty channel: both frequencies erased, so the transmit side follows.
    ClickCell(3, 1);
    auto* edit = qobject_cast<QLineEdit*>(GetDlgItem(m_view.get(), 1031));
    ASSERT_TRUE(edit->isVisible());
    EXPECT_TRUE(edit->hasFocus());
    EXPECT_TRUE(Grid().IsEditActive());
    // The editor covers the cell.
    QRect cell;
    Grid().GetCellRect(3, 1, cell);
    EXPECT_EQ(edit->geometry().topLeft(), Grid().viewport()->mapTo(m_view.get(), cell.topLeft()));
    Type("446.5");
    Key(Qt::Key_Return);
    EXPECT_FALSE(edit->isVisible());
    EXPECT_FALSE(Grid().IsEditActive());
    EXPECT_TRUE(Grid().hasFocus());
    EXPECT_EQ(Freq(3, true), "446.50000");
    EXPECT_EQ(Freq(3, false), "446.50000");
    EXPECT_EQ(Cell(3, 1), "446.50000");
    EXPECT_EQ(Cell(3, 3), "446.50000");
    EXPECT_EQ(Cell(3, 5), QString::fromStdString(GetChannelCellText(m_doc, 3, 5)));
    EXPECT_FALSE(Cell(3, 7).isEmpty());
    for (int col = 1; col <= 8; ++col) {
        EXPECT_FALSE(IsGreyed(3, col)) << col;
    }
    EXPECT_TRUE(m_doc.IsModified());

    // Above the upper limit: the limit, on both sides since they were equal.
    EnterText(3, 1, "999");
    EXPECT_EQ(Freq(3, true), "480.00000");
    EXPECT_EQ(Freq(3, false), "480.00000");
    EXPECT_EQ(Cell(3, 3), "480.00000");

    // Different sides: only the receive side changes; below the lower limit, the limit.
    SetChannel(4, "446.50000", "446.60000");
    m_doc.UpdateAllViews();
    EnterText(4, 1, "447");
    EXPECT_EQ(Freq(4, true), "447.00000");
    EXPECT_EQ(Freq(4, false), "446.60000");
    EnterText(4, 3, "100");
    EXPECT_EQ(Freq(4, false), "400.00000");
    EXPECT_EQ(Cell(4, 3), "400.00000");

    // ESC restores the text, and the unchanged commit leaves the document unmodified.
    m_doc.SetModifiedFlag(false);
    ClickCell(4, 1);
    Type("123");
    Key(Qt::Key_Escape);
    EXPECT_EQ(Freq(4, true), "447.00000");
    EXPECT_FALSE(m_doc.IsModified());
}

TEST_F(ViewGridTest, ClearingFrequenciesErasesTheTransmitSideOrTheChannel) {
    SetChannel(2, "446.50000", "446.50000", false);
    m_doc.SetNarrow(2, true);
    m_doc.SetOptCol8(2, true);
    m_doc.SetToneText(2, true, "67.0");
    m_doc.SetToneText(2, false, "67.0");
    m_doc.UpdateAllViews();

    EnterText(2, 3, "");
    EXPECT_EQ(Freq(2, false), "");
    EXPECT_EQ(m_doc.GetToneText(2, false), m_doc.GetToneText(5, false));
    EXPECT_TRUE(IsGreyed(2, 4));
    EXPECT_EQ(Cell(2, 4), "");
    EXPECT_FALSE(IsGreyed(2, 3));
    EXPECT_EQ(m_doc.GetToneText(2, true), "67.0");

    m_doc.SetModifiedFlag(false);
    EnterText(2, 1, "");
    EXPECT_TRUE(m_doc.IsRxEmpty(2));
    EXPECT_TRUE(m_doc.GetScanAdd(2));
    EXPECT_FALSE(m_doc.GetNarrow(2));
    EXPECT_FALSE(m_doc.GetOptCol6(2));
    EXPECT_FALSE(m_doc.GetOptCol8(2));
    EXPECT_EQ(m_doc.GetToneText(2, true), m_doc.GetToneText(5, true));
    for (int col = 2; col <= 8; ++col) {
        EXPECT_TRUE(IsGreyed(2, col)) << col;
        EXPECT_EQ(Cell(2, col), "") << col;
    }
    EXPECT_TRUE(m_doc.IsModified());
}

TEST_F(ViewGridTest, GreyedCellsGetNoEditor) {
    ClickCell(5, 2);
    EXPECT_FALSE(EditorOpen());
    ClickCell(5, 7);
    EXPECT_FALSE(EditorOpen());
    Grid().setFocus();
    Key(Qt::Key_Return);
    EXPECT_FALSE(EditorOpen());
    EXPECT_FALSE(Grid().IsEditActive());

    // The header and the channel numbers are not edited either.
    ClickCell(5, 0);
    EXPECT_FALSE(EditorOpen());
}

TEST_F(ViewGridTest, ToneAndListCellsCommitThroughTheDocument) {
    SetChannel(3, "446.50000", "446.50000");
    m_doc.UpdateAllViews();

    // Both tones none: the receive tone takes the transmit tone along.
    EnterText(3, 2, "d023n");
    EXPECT_EQ(m_doc.GetToneText(3, true), "D023N");
    EXPECT_EQ(m_doc.GetToneText(3, false), "D023N");
    EXPECT_EQ(Cell(3, 4), "D023N");
    EnterText(3, 4, "50");
    EXPECT_EQ(m_doc.GetToneText(3, false), "67.0");
    EXPECT_EQ(m_doc.GetToneText(3, true), "D023N");

    // The bandwidth list offers wide, then narrow; the change of selection marks the
    // document modified, the commit stores it.
    m_doc.SetModifiedFlag(false);
    ClickCell(3, 7);
    auto* list = qobject_cast<QComboBox*>(GetDlgItem(m_view.get(), 1032));
    ASSERT_TRUE(list->isVisible());
    EXPECT_EQ(list->itemText(0), "Wide");
    EXPECT_EQ(list->itemText(1), "Narrow");
    EXPECT_EQ(list->currentIndex(), 0);
    Key(Qt::Key_Down);
    EXPECT_TRUE(m_doc.IsModified());
    EXPECT_FALSE(m_doc.GetNarrow(3));
    Key(Qt::Key_Return);
    EXPECT_TRUE(m_doc.GetNarrow(3));
    EXPECT_EQ(Cell(3, 7), "Narrow");
}

TEST_F(ViewGridTest, TakingAChannelOutOfTheScanListDisablesTheScanControls) {
    SetChannel(1, "446.50000", "446.50000");
    SetChannel(2, "446.60000", "446.60000");
    m_doc.SetScanType(1);
    m_doc.UpdateAllViews();
    ASSERT_TRUE(Combo(1008)->isEnabled());
    ASSERT_TRUE(Combo(1009)->isEnabled());

    ClickCell(2, 5);
    Key(Qt::Key_Down);
    Key(Qt::Key_Return);
    EXPECT_FALSE(m_doc.GetScanAdd(2));
    EXPECT_EQ(Cell(2, 5), "No");
    EXPECT_FALSE(Combo(1008)->isEnabled());
    EXPECT_FALSE(Combo(1009)->isEnabled());
    EXPECT_EQ(m_doc.GetScanType(), 0);
    EXPECT_EQ(Combo(1008)->currentIndex(), 0);
}

// Each commit that stores other than was typed says so and marks its cell until the next.
TEST_F(ViewGridTest, ACommitThatChangedTheValueSaysSoAndMarksTheCell) {
    QStringList notices;
    QObject::connect(m_view.get(), &CDromelPgmView::valueNotice,
                     [&](const QString& text) { notices.append(text); });
    const struct {
        const char* typed;
        const char* stored;
        bool marked;
        const char* notice;
    } cases[] = {
        {"436,5", "436.50000", true, "436,5 has a decimal comma"},
        {"999", "", true, "999 is above the model's band, stored as "},
        {"446.5", "446.50000", false, ""},
    };
    for (const auto& c : cases) {
        ClickCell(3, 1);
        Type(c.typed);
        Key(Qt::Key_Return);
        const QString stored = Cell(3, 1);
        if (*c.stored) {
            EXPECT_EQ(stored, QString::fromLatin1(c.stored)) << c.typed;
        }
        EXPECT_EQ(m_view->Marks().IsMarked(3, 1), c.marked) << c.typed;
        ASSERT_FALSE(notices.isEmpty());
        EXPECT_EQ(notices.last().isEmpty(), !*c.notice) << c.typed;
        EXPECT_TRUE(notices.last().contains(QString::fromLatin1(c.notice))) << c.typed;
        if (*c.notice) {
            EXPECT_TRUE(notices.last().contains(stored)) << c.typed;
            EXPECT_TRUE(notices.last().startsWith(QStringLiteral("Channel 3 "))) << c.typed;
        }
    }
}

TEST_F(ViewGridTest, RetypingWhatACellShowsChangesNothing) {
    SetChannel(3, "446.50000", "446.50000");
    m_doc.UpdateAllViews();
    m_doc.SetModifiedFlag(false);

    // The tone editor shows the typed none text in upper case; it is still the same text.
    EnterText(3, 2, "none");
    EXPECT_EQ(m_doc.GetToneText(3, true), "None");
    EXPECT_EQ(Cell(3, 2), "None");
    EnterText(3, 1, "446.50000");
    EXPECT_FALSE(m_doc.IsModified());

    // A trailing "." is let through and read as whole megahertz.
    EnterText(3, 1, "447.");
    EXPECT_EQ(Freq(3, true), "447.00000");
    EXPECT_EQ(Freq(3, false), "447.00000");
    EXPECT_TRUE(m_doc.IsModified());
}

TEST_F(ViewGridTest, UndoOfOneCellShowsItsOldTextAndLeavesTheOtherRows) {
    SetChannel(2, "446.50000", "446.50000");
    SetChannel(5, "446.10000", "446.10000");
    m_doc.UpdateAllViews();
    CUndoHistory history(m_doc);
    EnterText(2, kColRxFreq, "447.25");
    EnterText(5, kColTxFreq, "447.5");
    // A row the undo does not touch keeps what it shows: a mark on it stays.
    Grid().SetItemText(9, kColRxFreq, "mark");

    history.Undo();
    EXPECT_EQ(Cell(5, kColTxFreq), "446.10000");
    EXPECT_EQ(Cell(5, kColRxFreq), "446.10000");
    EXPECT_EQ(Cell(2, kColRxFreq), "447.25000");
    EXPECT_EQ(Cell(9, kColRxFreq), "mark");
    history.Undo();
    EXPECT_EQ(Cell(2, kColRxFreq), "446.50000");
    EXPECT_EQ(Cell(2, kColTxFreq), "446.50000");
    EXPECT_EQ(Cell(5, kColTxFreq), "446.10000");
    EXPECT_EQ(Cell(9, kColRxFreq), "mark");
    history.Redo();
    EXPECT_EQ(Cell(2, kColRxFreq), "447.25000");
    EXPECT_EQ(Cell(9, kColRxFreq), "mark");
}
