#include "RadioFixture.h"

#include "radio/FormRules.h"
#include "radio/ImageFields.h"

#include <tuple>

namespace {

MemoryImage Filled(std::uint8_t byte) {
    MemoryImage image;
    image.fill(byte);
    return image;
}

} // namespace

class FormRulesTest : public RadioTest {
protected:
    void SetUp() override {
        RadioTest::SetUp();
        m_doc.NewDocument();
    }
    CDromelPgmDoc m_doc;
};

TEST_F(FormRulesTest, ListsAreBuiltFromTheirSources) {
    EXPECT_EQ(ModelList(),
              (OptionList{"MV-16V 136-174", "MV-16U 400-470", "MV-16UE 400-480", "MV-16X"}));
    EXPECT_EQ(TimeOutList().size(), 11u);
    EXPECT_EQ(TimeOutList().front(), "Off");
    EXPECT_EQ(TimeOutList().back(), "300");
    EXPECT_EQ(SquelchList().back(), "9");
    EXPECT_EQ(PriorityList().size(), 16u);
    EXPECT_EQ(PriorityList().front(), "None");
    EXPECT_EQ(LoopBackList().size(), 49u);
    EXPECT_EQ(LoopBackList()[1], "0.3");
    EXPECT_EQ(LoopBackList().back(), "5.0");
    EXPECT_EQ(DropoutList(),
              (OptionList{"0.5", "1.0", "1.5", "2.0", "2.5", "3.0", "3.5", "4.0", "4.5", "5.0"}));
    EXPECT_EQ(ScanTypeList(), (OptionList{"No scan", "Time", "Carrier"}));
    EXPECT_EQ(RevertList(false), (OptionList{"Selected", "Priority", "mode 2"}));
    EXPECT_EQ(RevertList(true), (OptionList{"Selected", "Priority", "mode 2", "mode 3"}));
    EXPECT_EQ(ToneList().size(), 205u);
    EXPECT_EQ(ToneList()[1], "67.0");
    EXPECT_EQ(ToneList()[39], "D023N");
    EXPECT_EQ(ToneList().back(), "D754I");
}

TEST_F(FormRulesTest, MissingKeysShortenTheLists) {
    m_dir.write("lang_en.lng", "[monikey]\n0=A\n1=B\n3=D\n4=E\n[SCANTYPE]\n0=X\n2=Z\n");
    EXPECT_EQ(MonitorKeyList(), (OptionList{"A", "B", "D", "E"}));
    EXPECT_EQ(ScanTypeList(), (OptionList{"X"}));
    EXPECT_EQ(RevertList(true), (OptionList{"mode 0", "mode 1", "mode 2", "mode 3"}));
    m_dir.write("setting.ini", "[setup]\nctcdcs=2\n");
    EXPECT_EQ(ToneList().size(), 51u);
    EXPECT_EQ(ToneList().back(), "254.1");
    m_dir.write("setting.ini", "[setup]\nctcdcs=0\n");
    EXPECT_EQ(ToneList().size(), 1u);
    EXPECT_TRUE(ModelList().empty());
}

TEST_F(FormRulesTest, ChangesMarkTheDocumentModified) {
    ChangeFormOption(m_doc, FormOption::TimeOut, 10);
    EXPECT_TRUE(m_doc.IsModified());
    EXPECT_EQ(m_doc.Image()[0x3C3], 10);
    EXPECT_EQ(
        FormOptionEntries(m_doc, FormOption::TimeOut)[GetFormOption(m_doc, FormOption::TimeOut)],
        "300");
    m_doc.SetModifiedFlag(false);
    ChangeFormCheck(m_doc, FormCheck::WiredClone, true);
    EXPECT_TRUE(m_doc.IsModified());
    EXPECT_TRUE(GetFormCheck(m_doc, FormCheck::WiredClone));
    EXPECT_EQ(m_doc.Image()[0x3C4] & 0x04, 0);
}

TEST_F(FormRulesTest, PriorityOnAnEmptyChannelIsRefused) {
    EXPECT_FALSE(ChangePriorityChannel(m_doc, 5));
    EXPECT_FALSE(m_doc.IsModified());
    EXPECT_EQ(m_doc.Image()[0x3C6], 0xFF);
    EXPECT_FALSE(ChangePriorityChannel(m_doc, 16));
    m_doc.SetFreqText(5, true, "440");
    EXPECT_TRUE(ChangePriorityChannel(m_doc, 5));
    EXPECT_EQ(m_doc.Image()[0x3C6], 4);
    EXPECT_EQ(FormOptionEntries(m_doc, FormOption::Revert).size(), 4u);
    EXPECT_TRUE(ChangePriorityChannel(m_doc, 0));
    EXPECT_EQ(FormOptionEntries(m_doc, FormOption::Revert).size(), 3u);
}

TEST_F(FormRulesTest, ScanControlsFollowTheScanList) {
    m_doc.SetByte(0x3C5, 1); // stored scan type, but no scan list
    ScanControls c = UpdateScanControls(m_doc);
    EXPECT_FALSE(c.scanTypeEnabled);
    EXPECT_FALSE(c.scanActive);
    EXPECT_EQ(c.scanTypeIndex, 0);
    EXPECT_FALSE(m_doc.IsModified());
    m_doc.SetFreqText(1, true, "440");
    m_doc.SetFreqText(2, true, "441");
    c = UpdateScanControls(m_doc);
    EXPECT_TRUE(c.scanTypeEnabled);
    EXPECT_FALSE(c.scanActive);
    ChangeFormOption(m_doc, FormOption::ScanType, 2);
    c = UpdateScanControls(m_doc);
    EXPECT_TRUE(c.scanActive);
    EXPECT_EQ(c.scanTypeIndex, 2);
}

TEST_F(FormRulesTest, ModelChangeErasesAndSetsDefaults) {
    EXPECT_FALSE(IsModelChange(m_doc, 2));
    EXPECT_TRUE(IsModelChange(m_doc, 0));
    m_doc.SetFreqText(1, true, "440");
    m_doc.SetSquelchLevel(7);
    m_doc.SetByte(0x005, 0x12); // a byte the tool does not use is erased too
    ChangeModel(m_doc, 0);
    EXPECT_TRUE(m_doc.IsModified());
    EXPECT_EQ(m_doc.GetModel(), 0);
    EXPECT_TRUE(m_doc.IsRxEmpty(1));
    EXPECT_EQ(m_doc.GetSquelchLevel(), 3);
    EXPECT_EQ(m_doc.Image()[0x005], 0xFF);
    EXPECT_EQ(m_doc.GetFreqHigh(), 17400000);
    EXPECT_EQ(m_doc.GetFreqText(17, true), "155.10000");
}

TEST_F(FormRulesTest, EachOptionChangesItsOwnByteAlone) {
    const std::pair<FormOption, std::size_t> options[] = {
        {FormOption::MonitorKey, kFieldMonitorKey.offset},
        {FormOption::TimeOut, kFieldTimeOut.offset},
        {FormOption::Squelch, kFieldSquelch.offset},
        {FormOption::ScanType, kFieldScanType.offset},
        {FormOption::Priority, kFieldPriority.offset},
        {FormOption::Revert, kFieldRevert.offset},
        {FormOption::LoopBack, kFieldLoopBack.offset},
        {FormOption::Dropout, kFieldDropout.offset},
    };
    for (const auto& [option, offset] : options) {
        const int last = static_cast<int>(FormOptionEntries(m_doc, option).size()) - 1;
        for (const int index : {1, last}) {
            m_doc.ReplaceImage(Filled(0x5A));
            ChangeFormOption(m_doc, option, index);
            EXPECT_EQ(GetFormOption(m_doc, option), index) << offset;
            for (std::size_t i = 0; i < kImageSize; ++i) {
                if (i != offset) {
                    ASSERT_EQ(m_doc.Image()[i], 0x5A)
                        << "option at " << offset << " index " << index << " changed byte " << i;
                }
            }
        }
    }
    const std::tuple<FormCheck, std::size_t, std::uint8_t> checks[] = {
        {FormCheck::BeepTone, kFieldBeepTone.offset, 0x01},
        {FormCheck::BatterySave, kFieldBatterySave.offset, 0x02},
        {FormCheck::WiredClone, kFieldWiredClone.offset, 0x04},
    };
    for (const auto& [check, offset, bit] : checks) {
        for (const std::uint8_t pattern : {0x00, 0xFF}) {
            m_doc.ReplaceImage(Filled(pattern));
            ChangeFormCheck(m_doc, check, !GetFormCheck(m_doc, check));
            for (std::size_t i = 0; i < kImageSize; ++i) {
                const std::uint8_t expected = i == offset ? pattern ^ bit : pattern;
                ASSERT_EQ(m_doc.Image()[i], expected) << "check at " << offset << " byte " << i;
            }
        }
    }
}

TEST_F(FormRulesTest, EveryChannelOneToFifteenCanBeThePriorityChannel) {
    for (int n = 1; n <= 15; ++n) {
        m_doc.SetFreqText(n, true, "440");
        m_doc.SetModifiedFlag(false);
        ASSERT_TRUE(ChangePriorityChannel(m_doc, n)) << n;
        EXPECT_EQ(m_doc.Image()[kFieldPriority.offset], n - 1);
        EXPECT_EQ(GetFormOption(m_doc, FormOption::Priority), n);
        EXPECT_TRUE(m_doc.IsModified());
    }
    // Channel 16 cannot be chosen, whether it is empty or not: nothing changes.
    m_doc.SetModifiedFlag(false);
    EXPECT_FALSE(ChangePriorityChannel(m_doc, 16));
    m_doc.SetFreqText(16, true, "440");
    EXPECT_FALSE(ChangePriorityChannel(m_doc, 16));
    EXPECT_FALSE(ChangePriorityChannel(m_doc, -1));
    EXPECT_EQ(m_doc.Image()[kFieldPriority.offset], 14);
    EXPECT_FALSE(m_doc.IsModified());
}
