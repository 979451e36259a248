#include "RadioFixture.h"

#include "radio/ChannelRows.h"
#include "radio/ImageFields.h"

#include <array>
#include <cstring>
#include <functional>
#include <vector>

namespace {

// Channels 1, 2, 3, 5 and 16 in use, 4 and 6..15 empty; channel 2 is the priority channel.
class ChannelRowsTest : public RadioTest {
protected:
    void SetUp() override {
        RadioTest::SetUp();
        m_doc.NewDocument();
        const std::pair<int, const char*> used[] = {{1, "446.00000"},
                                                    {2, "440.00000"},
                                                    {3, "445.00000"},
                                                    {5, "441.00000"},
                                                    {16, "449.00000"}};
        for (const auto& [n, rx] : used) {
            m_doc.SetFreqText(n, true, rx);
            m_doc.SetFreqText(n, false, rx);
        }
        m_doc.SetToneText(3, true, "D023N");
        m_doc.SetNarrow(5, true);
        m_doc.SetScanType(1);
        m_doc.SetPriorityChannel(2);
        m_before = m_doc.Image();
        m_doc.AddChangeObserver([this](const SDocChange& c) { m_kinds.push_back(c.kind); });
    }

    const std::uint8_t* Record(const MemoryImage& image, int n) const {
        return FieldBytes(image, kFieldRxFreq, n);
    }

    CDromelPgmDoc m_doc;
    MemoryImage m_before{};
    std::vector<EDocChange> m_kinds;
};

constexpr int E = 0; // an empty channel in place

struct RowCase {
    const char* name;
    std::function<void(CDromelPgmDoc&)> op;
    EDocChange kind;
    std::array<int, kChannelCount> order; // the old channel at each new place
    int priority;
};

} // namespace

TEST_F(ChannelRowsTest, EachOperationMovesWholeRecordsAndThePriorityChannelFollows) {
    const RowCase cases[] = {
        {"insert at 2",
         [](CDromelPgmDoc& d) { InsertChannel(d, 2); },
         EDocChange::kChannelInsert,
         {1, E, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15},
         3},
        {"delete 2",
         [](CDromelPgmDoc& d) { DeleteChannel(d, 2); },
         EDocChange::kChannelDelete,
         {1, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, E},
         0},
        {"delete 1",
         [](CDromelPgmDoc& d) { DeleteChannel(d, 1); },
         EDocChange::kChannelDelete,
         {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, E},
         1},
        {"move 2 up",
         [](CDromelPgmDoc& d) { EXPECT_TRUE(MoveChannel(d, 2, true)); },
         EDocChange::kChannelMove,
         {2, 1, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16},
         1},
        {"move 2 down",
         [](CDromelPgmDoc& d) { EXPECT_TRUE(MoveChannel(d, 2, false)); },
         EDocChange::kChannelMove,
         {1, 3, 2, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16},
         3},
        {"move 15 down",
         [](CDromelPgmDoc& d) { EXPECT_TRUE(MoveChannel(d, 15, false)); },
         EDocChange::kChannelMove,
         {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 16, 15},
         2},
        {"sort",
         [](CDromelPgmDoc& d) { SortByFrequency(d); },
         EDocChange::kChannelSort,
         {2, 5, 3, 1, 16, 4, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15},
         1},
    };
    CDromelPgmDoc fresh;
    fresh.NewDocument();
    for (const RowCase& c : cases) {
        SCOPED_TRACE(c.name);
        m_doc.ReplaceImage(m_before);
        m_kinds.clear();
        c.op(m_doc);
        const MemoryImage& after = m_doc.Image();
        for (int place = 1; place <= kChannelCount; ++place) {
            const int from = c.order[static_cast<std::size_t>(place - 1)];
            const std::uint8_t* expected =
                from == E ? Record(fresh.Image(), 4) : Record(m_before, from);
            EXPECT_EQ(std::memcmp(Record(after, place), expected, kRecordSize), 0)
                << "place " << place;
        }
        EXPECT_EQ(m_doc.GetPriorityChannel(), c.priority);
        // Nothing else of the image moved.
        for (std::size_t a = 0; a < kImageSize; ++a) {
            const bool channel = a >= FieldAddress(kFieldRxFreq, 1) &&
                                 a < FieldAddress(kFieldRxFreq, kChannelCount + 1);
            if (!channel && a != FieldAddress(kFieldPriority)) {
                ASSERT_EQ(after[a], m_before[a]) << "address " << a;
            }
        }
        EXPECT_EQ(m_kinds, std::vector<EDocChange>{c.kind});
    }
}

TEST_F(ChannelRowsTest, EdgesPriorityLeavingTheScanChannelsAndTheScanList) {
    // Channel 16 is in use, so an insert would drop it: the caller asks first.
    EXPECT_TRUE(IsChannelInUse(m_doc, kChannelCount));
    EXPECT_FALSE(IsSortedByFrequency(m_doc));
    EXPECT_FALSE(MoveChannel(m_doc, 1, true));
    EXPECT_FALSE(MoveChannel(m_doc, kChannelCount, false));
    EXPECT_EQ(m_doc.Image(), m_before);
    EXPECT_TRUE(m_kinds.empty());

    // The priority channel pushed to channel 16, which can never be one, becomes none.
    m_doc.SetFreqText(15, true, "447.00000");
    m_doc.SetPriorityChannel(15);
    InsertChannel(m_doc, 1);
    EXPECT_EQ(m_doc.GetPriorityChannel(), 0);
    EXPECT_EQ(m_doc.GetFreqText(16, true), "447.00000");

    // Fewer than two scanned channels left: the scan type goes back to no scan.
    for (int n = 0; n < 6; ++n) {
        DeleteChannel(m_doc, 1);
    }
    EXPECT_EQ(m_doc.GetScanType(), 0);

    SortByFrequency(m_doc);
    EXPECT_TRUE(IsSortedByFrequency(m_doc));
}
