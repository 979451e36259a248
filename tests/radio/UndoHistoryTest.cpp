// The edit history on the document alone: each user action one step, Undo and Redo give the
// states back byte for byte, the modified flag follows the saved state, follow-ups join the
// step they follow, New and Open start afresh, and a step costs at most one state.
#include "RadioFixture.h"

#include "radio/ChannelRules.h"
#include "radio/FormRules.h"
#include "radio/UndoHistory.h"
#include "radio/UndoStepName.h"

#include <functional>

namespace {

class UndoHistoryTest : public RadioTest {
protected:
    void SetUp() override {
        RadioTest::SetUp();
        m_doc.NewDocument();
        m_history.emplace(m_doc);
    }
    CUndoHistory& History() { return *m_history; }
    void Freq(int n, const char* text) { CommitChannelFreq(m_doc, n, true, text); }

    CDromelPgmDoc m_doc;
    std::optional<CUndoHistory> m_history;
};

} // namespace

TEST(StateDiff, TurnsEitherSideIntoTheOtherWithinOneStateOfMemory) {
    SDocState a;
    a.image.fill(0xFF);
    const std::vector<std::function<void(SDocState&)>> changes = {
        [](SDocState&) {},
        [](SDocState& s) { s.image[0] = 0; },
        [](SDocState& s) { s.header[0] = 'x', s.image[kImageSize - 1] = 7; },
        [](SDocState& s) {
            for (std::size_t i = 0; i < kImageSize; i += 5) {
                s.image[i] ^= 0x5A;
            }
        },
        [](SDocState& s) {
            s.header.fill(1);
            s.image.fill(2);
        },
    };
    for (std::size_t k = 0; k < changes.size(); ++k) {
        SDocState b = a;
        changes[k](b);
        const CStateDiff diff = CStateDiff::Between(a, b);
        EXPECT_EQ(diff.IsEmpty(), a == b) << k;
        EXPECT_LE(diff.MemoryBytes(), kStateSize + 4) << k;
        SDocState turned = a;
        diff.ApplyTo(turned);
        EXPECT_EQ(turned, b) << k;
        diff.ApplyTo(turned);
        EXPECT_EQ(turned, a) << k;
    }
}

TEST_F(UndoHistoryTest, UndoAndRedoWalkTheStepsAndTheFlagFollowsTheSavedState) {
    const SDocState fresh = m_doc.State();
    Freq(1, "440");
    const SDocState one = m_doc.State();
    ChangeFormCheck(m_doc, FormCheck::BeepTone, !m_doc.GetBeepTone());
    const SDocState two = m_doc.State();
    ASSERT_TRUE(m_doc.SaveFile(m_dir.file("saved.dpm")));
    ASSERT_EQ(History().StepCount(), 2u);
    EXPECT_EQ(History().UndoStep()->kind, EDocChange::kFormOption);
    EXPECT_EQ(History().RedoStep(), nullptr);

    struct Move {
        bool undo;
        const SDocState* state;
        bool modified;
    };
    for (const Move& m :
         {Move{true, &one, true}, Move{true, &fresh, true},
          Move{true, &fresh, true}, // nothing more to undo
          Move{false, &one, true}, Move{false, &two, false}, Move{false, &two, false}}) {
        m.undo ? History().Undo() : History().Redo();
        EXPECT_EQ(m_doc.State(), *m.state);
        EXPECT_EQ(m_doc.IsModified(), m.modified);
    }
    EXPECT_EQ(m_doc.GetFreqText(1, true), "440.00000");

    // A new step after an undo drops the step taken back, and the saved state with it.
    History().Undo();
    Freq(2, "441");
    EXPECT_EQ(History().StepCount(), 2u);
    EXPECT_EQ(History().RedoStep(), nullptr);
    History().Undo();
    EXPECT_EQ(m_doc.State(), one);
    EXPECT_TRUE(m_doc.IsModified());
}

TEST_F(UndoHistoryTest, ModelChangeIsOneStepAndUndoFindsTheModelAgain) {
    Freq(1, "470");
    const int model = m_doc.GetModel();
    const SDocState before = m_doc.State();
    ChangeModel(m_doc, 0);
    ASSERT_NE(m_doc.GetModel(), model);
    EXPECT_EQ(History().StepCount(), 2u);
    History().Undo();
    EXPECT_EQ(m_doc.State(), before);
    EXPECT_EQ(m_doc.GetModel(), model);
    EXPECT_EQ(m_doc.CheckRange("470"), 0);
}

TEST_F(UndoHistoryTest, ChangesThatAreNoStepsOfTheirOwn) {
    struct Case {
        const char* name;
        std::function<void(CDromelPgmDoc&)> run;
        std::size_t steps; // after the one cell commit before
    };
    const Case cases[] = {
        // The scan type reset that follows the commit joins it.
        {"setter alone", [](CDromelPgmDoc& d) { d.SetNarrow(1, true); }, 1},
        {"save", [&](CDromelPgmDoc& d) { ASSERT_TRUE(d.SaveFile(m_dir.file("a.dpm"))); }, 1},
        {"list selection then commit",
         [](CDromelPgmDoc& d) {
             { const CDocEdit selection(d, EDocChange::kListSelection); }
             CommitChannelList(d, 1, kColBand, 1);
         },
         2},
        {"list selection that stored a byte, then commit",
         [](CDromelPgmDoc& d) {
             {
                 const CDocEdit selection(d, EDocChange::kListSelection);
                 d.SetScanAdd(1, false);
             }
             CommitChannelList(d, 1, kColBand, 1);
         },
         2},
        {"new document", [](CDromelPgmDoc& d) { d.NewDocument(); }, 0},
        {"file opened",
         [&](CDromelPgmDoc& d) {
             ASSERT_TRUE(d.SaveFile(m_dir.file("b.dpm")));
             ASSERT_TRUE(d.LoadFile(m_dir.file("b.dpm")));
         },
         0},
    };
    for (const Case& c : cases) {
        m_doc.NewDocument();
        Freq(1, "440");
        const SDocState before = m_doc.State();
        c.run(m_doc);
        EXPECT_EQ(History().StepCount(), c.steps) << c.name;
        if (c.steps > 0) {
            // One Undo takes back the change with what joined it.
            const SDocState after = m_doc.State();
            History().Undo();
            EXPECT_EQ(m_doc.State() == before, c.steps == 2) << c.name;
            History().Redo();
            EXPECT_EQ(m_doc.State(), after) << c.name;
        }
    }
}

TEST_F(UndoHistoryTest, AFollowUpToldBeforeTheHistoryHearsOfTheUndoJoinsTheStateUndone) {
    // An observer ahead of the history answers the undo with a setter of its own.
    m_history.reset();
    const int id = m_doc.AddChangeObserver([this](const SDocChange& c) {
        if (c.kind == EDocChange::kUndo) {
            m_doc.SetByte(kAlignmentOffset, 0x42);
        }
    });
    m_history.emplace(m_doc);
    Freq(1, "440");
    Freq(2, "441");
    const SDocState after = m_doc.State();
    History().Undo();
    const SDocState undone = m_doc.State();
    EXPECT_EQ(undone.image[kAlignmentOffset], 0x42);
    EXPECT_FALSE(m_doc.IsRxEmpty(1));
    EXPECT_TRUE(m_doc.IsRxEmpty(2));
    History().Redo();
    EXPECT_EQ(m_doc.State(), after);
    m_doc.RemoveChangeObserver(id);
    History().Undo();
    EXPECT_EQ(m_doc.State(), undone);
}

TEST_F(UndoHistoryTest, ReadIsAStepAndUnlimitedStepsStayWithinAStateEach) {
    Freq(1, "440");
    MemoryImage radio = m_doc.Image();
    radio.fill(0x00);
    m_doc.ReplaceImage(radio, EDocChange::kRead);
    EXPECT_EQ(History().UndoStep()->kind, EDocChange::kRead);
    EXPECT_EQ(ChangedChannelCount(History().UndoStep()->diff), kChannelCount);
    for (int i = 0; i < 2000; ++i) {
        m_doc.SetByte(0x3F0, static_cast<std::uint8_t>(i));
        const CDocEdit edit(m_doc, EDocChange::kCellCommit);
        m_doc.SetByte(0x10 + i % 200, static_cast<std::uint8_t>(i * 7));
    }
    EXPECT_GE(History().StepCount(), 2000u);
    EXPECT_LE(History().MemoryBytes(), History().StepCount() * (sizeof(SUndoStep) + kStateSize));
    while (History().UndoStep()) {
        History().Undo();
    }
    EXPECT_EQ(m_doc.GetFreqText(1, true), "");
    EXPECT_FALSE(m_doc.IsModified());
}
