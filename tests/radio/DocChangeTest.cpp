// Every change of the document as its observers see it: the kind named, before and after
// exact, one notification per user action however the setters nest, nobody told when nothing
// changed, and the modified flag set, left or cleared by the kind's rule.
#include "RadioFixture.h"

#include "radio/ChannelRules.h"
#include "radio/FormRules.h"
#include "radio/TestFreqRules.h"
#include "radio/TestModeRules.h"

#include <functional>
#include <vector>

namespace {

enum class Flag { kLeft, kSet, kCleared };

struct Action {
    const char* name;
    std::function<void(CDromelPgmDoc&)> run;
    std::vector<EDocChange> told;
    Flag flag;
};

// Test Frequency as the dialog runs it: one change from opening to OK or Cancel; with rx,
// test channel 3 edited meanwhile.
void TestFreqDialog(CDromelPgmDoc& doc, const char* rx, bool ok) {
    const CDocEdit dialog(doc, EDocChange::kTestFreq);
    const CTestFreqBackup backup(doc);
    if (rx != nullptr) {
        CommitTestFreq(doc, 3, true, rx);
        CommitTestTone(doc, 3, true, "D023N");
    }
    if (ok) {
        backup.Keep(doc);
    } else {
        backup.Restore(doc);
    }
}

MemoryImage RadioImage(const CDromelPgmDoc& doc) {
    MemoryImage image = doc.Image();
    image[0x3F4] ^= 0xFF;
    return image;
}

const Action kActions[] = {
    {"check box",
     [](CDromelPgmDoc& d) { ChangeFormCheck(d, FormCheck::BeepTone, false); },
     {EDocChange::kFormOption},
     Flag::kSet},
    {"option list, same index",
     [](CDromelPgmDoc& d) { ChangeFormOption(d, FormOption::Squelch, d.GetSquelchLevel()); },
     {},
     Flag::kSet},
    {"model change",
     [](CDromelPgmDoc& d) { ChangeModel(d, 1); },
     {EDocChange::kModelChange},
     Flag::kSet},
    {"frequency cell, new text",
     [](CDromelPgmDoc& d) { CommitChannelFreq(d, 1, true, "450"); },
     {EDocChange::kCellCommit},
     Flag::kSet},
    {"frequency cell, same value in other words",
     [](CDromelPgmDoc& d) { CommitChannelFreq(d, 1, true, "440"); },
     {},
     Flag::kSet},
    {"frequency cell, text as shown",
     [](CDromelPgmDoc& d) { CommitChannelFreq(d, 1, true, d.GetFreqText(1, true)); },
     {},
     Flag::kLeft},
    {"tone cell, new text",
     [](CDromelPgmDoc& d) { CommitChannelTone(d, 1, false, "67.0"); },
     {EDocChange::kCellCommit},
     Flag::kSet},
    {"list cell selection",
     [](CDromelPgmDoc& d) { const CDocEdit selection(d, EDocChange::kListSelection); },
     {},
     Flag::kSet},
    {"list cell commit",
     [](CDromelPgmDoc& d) { CommitChannelList(d, 1, kColBand, 1); },
     {EDocChange::kListCommit},
     Flag::kLeft},
    {"setter alone",
     [](CDromelPgmDoc& d) { d.SetNarrow(1, true); },
     {EDocChange::kField},
     Flag::kLeft},
    {"Test Frequency OK",
     [](CDromelPgmDoc& d) { TestFreqDialog(d, "455", true); },
     {EDocChange::kTestFreq},
     Flag::kSet},
    {"Test Frequency OK, nothing changed",
     [](CDromelPgmDoc& d) { TestFreqDialog(d, nullptr, true); },
     {},
     Flag::kLeft},
    {"Test Frequency Cancel",
     [](CDromelPgmDoc& d) { TestFreqDialog(d, "455", false); },
     {},
     Flag::kLeft},
    {"Test Mode Save",
     [](CDromelPgmDoc& d) {
         AlignmentValues values = GetAlignmentValues(d);
         values[3] = 77;
         SaveTestMode(d, true, values);
     },
     {EDocChange::kTestModeSave},
     Flag::kSet},
    {"Test Mode Save, nothing changed",
     [](CDromelPgmDoc& d) { SaveTestMode(d, d.GetManualAdjust(), GetAlignmentValues(d)); },
     {},
     Flag::kLeft},
    {"completed read",
     [](CDromelPgmDoc& d) { d.ReplaceImage(RadioImage(d), EDocChange::kRead); },
     {EDocChange::kRead},
     Flag::kLeft},
    {"new document", [](CDromelPgmDoc& d) { d.NewDocument(); }, {EDocChange::kNew}, Flag::kCleared},
    {"nested scopes",
     [](CDromelPgmDoc& d) {
         const CDocEdit outer(d, EDocChange::kCsvImport);
         CommitChannelFreq(d, 2, true, "445");
         CommitChannelList(d, 2, kColScan, 1);
     },
     {EDocChange::kCsvImport},
     Flag::kSet},
};

class DocChangeTest : public RadioTest {
protected:
    void SetUp() override {
        RadioTest::SetUp();
        Fresh();
        m_doc.AddChangeObserver([this](const SDocChange& c) { m_told.push_back(c); });
    }

    // A new document with channel 1 on 440 MHz.
    void Fresh() {
        m_doc.NewDocument();
        m_doc.SetFreqText(1, true, "440");
        m_doc.SetFreqText(1, false, "440");
    }

    std::vector<EDocChange> Kinds() const {
        std::vector<EDocChange> kinds;
        for (const SDocChange& c : m_told) {
            kinds.push_back(c.kind);
        }
        return kinds;
    }

    CDromelPgmDoc m_doc;
    std::vector<SDocChange> m_told;
};

} // namespace

TEST_F(DocChangeTest, EachActionIsOneChangeWithItsKindSnapshotsAndFlagRule) {
    for (const Action& a : kActions) {
        for (const bool modified : {false, true}) {
            SCOPED_TRACE(std::string(a.name) + (modified ? ", modified" : ", unmodified"));
            Fresh();
            m_doc.SetModifiedFlag(modified);
            m_told.clear();
            const SDocState before = m_doc.State();
            a.run(m_doc);
            EXPECT_EQ(Kinds(), a.told);
            if (m_told.size() == 1) {
                EXPECT_TRUE(m_told[0].before == before);
                EXPECT_TRUE(m_told[0].after == m_doc.State());
                EXPECT_FALSE(m_told[0].before == m_told[0].after);
            } else {
                EXPECT_TRUE(m_doc.State() == before);
            }
            const bool expected = a.flag == Flag::kSet || (a.flag == Flag::kLeft && modified);
            EXPECT_EQ(m_doc.IsModified(), expected);
        }
    }
}

TEST_F(DocChangeTest, OpenAndSaveAreToldEvenWhenNoByteChanges) {
    m_doc.SetModifiedFlag(true);
    m_told.clear();
    const std::string path = m_dir.file("change.dpm");
    ASSERT_TRUE(m_doc.SaveFile(path));
    ASSERT_TRUE(m_doc.LoadFile(path));
    EXPECT_EQ(Kinds(), (std::vector{EDocChange::kSave, EDocChange::kOpen}));
    EXPECT_TRUE(m_told[0].before == m_told[0].after);
    EXPECT_TRUE(m_told[1].after == m_doc.State());
    EXPECT_FALSE(m_doc.IsModified());
}

TEST_F(DocChangeTest, ARemovedObserverIsNoLongerTold) {
    int calls = 0;
    const int id = m_doc.AddChangeObserver([&](const SDocChange&) { ++calls; });
    m_doc.SetByte(0x3F0, 1);
    m_doc.RemoveChangeObserver(id);
    m_doc.SetByte(0x3F0, 2);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(m_told.size(), 2u);
}
