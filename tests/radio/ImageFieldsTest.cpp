#include "RadioFixture.h"

#include "radio/ImageDiff.h"
#include "radio/ImageFields.h"

#include <functional>
#include <set>
#include <string>
#include <vector>

using ImageFieldsTest = RadioTest;

namespace {

// The records a channel field is tried in: the first, the last grid row, the last test channel.
std::vector<int> RecordsOf(const SImageField& field) {
    if (field.place == EFieldPlace::kOption) {
        return {0};
    }
    return {1, kChannelCount, kLastChannel};
}

} // namespace

TEST(ImageFieldsTable, EachFieldChangesItsOwnBitsAlone) {
    for (const SImageField* field : kImageFields) {
        for (const int n : RecordsOf(*field)) {
            for (const std::uint8_t pattern : {0x00, 0xFF}) {
                MemoryImage image;
                image.fill(pattern);
                const std::size_t at = FieldAddress(*field, n);
                if (field->mask != 0xFF) {
                    const bool was = IsFieldOn(image, *field, n);
                    SetFieldOn(image, *field, !was, n);
                    EXPECT_EQ(IsFieldOn(image, *field, n), !was) << field->name;
                } else {
                    std::uint8_t* bytes = FieldBytes(image, *field, n);
                    for (std::size_t i = 0; i < field->size; ++i) {
                        bytes[i] ^= field->mask;
                    }
                    if (field->size == 1) {
                        SetFieldByte(image, *field, 0x5A, n);
                        EXPECT_EQ(FieldByte(image, *field, n), 0x5A) << field->name;
                        image[at] = static_cast<std::uint8_t>(pattern ^ 0xFF);
                    }
                }
                for (std::size_t i = 0; i < kImageSize; ++i) {
                    const bool own = i >= at && i < at + field->size;
                    ASSERT_EQ(image[i], own ? pattern ^ field->mask : pattern)
                        << field->name << " of record " << n << " at byte " << i;
                }
            }
        }
    }
}

TEST(ImageFieldsTable, FieldsShareNoBitAndLieWhereTheyBelong) {
    MemoryImage used{};
    std::set<std::string> names;
    for (const SImageField* field : kImageFields) {
        EXPECT_TRUE(names.insert(field->name).second) << field->name;
        if (field->place == EFieldPlace::kChannel) {
            EXPECT_LE(field->offset + field->size, kRecordSize) << field->name;
        } else {
            // Options come after the last record and are sent by a write.
            EXPECT_GE(field->offset, kRecordSize * (kLastChannel + 1)) << field->name;
            EXPECT_LE(field->offset + field->size, kWrittenEnd) << field->name;
        }
        for (std::size_t i = 0; i < field->size; ++i) {
            std::uint8_t& bits = used[FieldAddress(*field, 1) + i];
            EXPECT_EQ(bits & field->mask, 0) << field->name;
            bits |= field->mask;
        }
    }
}

// The radio's memory as a read from it gives, byte by byte, and what the form shows for it.
TEST_F(ImageFieldsTest, TheTableReadsTheRadiosBytes) {
    struct Case {
        const SImageField* field;
        int n;
        std::size_t address;
    };
    const Case addresses[] = {
        {&kFieldSquelch, 0, 0x3C1},  {&kFieldMonitorKey, 0, 0x3C2}, {&kFieldTimeOut, 0, 0x3C3},
        {&kFieldScanType, 0, 0x3C5}, {&kFieldPriority, 0, 0x3C6},   {&kFieldLoopBack, 0, 0x3C7},
        {&kFieldRevert, 0, 0x3C8},   {&kFieldDropout, 0, 0x3C9},    {&kFieldRxFreq, 2, 0x020},
        {&kFieldTxFreq, 2, 0x024},   {&kFieldRxTone, 2, 0x028},     {&kFieldTxTone, 2, 0x02A},
        {&kFieldRxStep, 2, 0x02D},   {&kFieldTxStep, 2, 0x02E},     {&kFieldRxFreq, 17, 0x110},
        {&kFieldTxStep, 32, 0x20E},
    };
    for (const Case& c : addresses) {
        EXPECT_EQ(FieldAddress(*c.field, c.n), c.address) << c.field->name;
    }

    using Getter = std::function<bool(const CDromelPgmDoc&)>;
    struct Flag {
        const SImageField* field;
        Getter get;
        bool on; // in the first image; the second has every one of these bits the other way
    };
    const Flag flags[] = {
        {&kFieldBeepTone, [](const CDromelPgmDoc& d) { return d.GetBeepTone(); }, true},
        {&kFieldBatterySave, [](const CDromelPgmDoc& d) { return d.GetBatterySave(); }, false},
        {&kFieldWiredClone, [](const CDromelPgmDoc& d) { return d.GetWiredClone(); }, true},
        {&kFieldManualAdjust, [](const CDromelPgmDoc& d) { return d.GetManualAdjust(); }, false},
        {&kFieldOptCol6, [](const CDromelPgmDoc& d) { return d.GetOptCol6(2); }, false},
        {&kFieldOptCol8, [](const CDromelPgmDoc& d) { return d.GetOptCol8(2); }, true},
        {&kFieldNarrow, [](const CDromelPgmDoc& d) { return d.GetNarrow(2); }, true},
        {&kFieldScanAdd, [](const CDromelPgmDoc& d) { return d.GetScanAdd(2); }, true},
    };
    CDromelPgmDoc doc;
    doc.SetByte(0x3C0, 0x01); // bit 0 beep tone, bit 1 battery save: set is on
    doc.SetByte(0x3C4, 0x10); // bit 2 wired clone, bit 4 manual adjust: clear is on
    doc.SetByte(0x02C, 0x15); // channel 2: bit 0 column 6 no, bit 1 column 8 yes, narrow, scan
    for (const bool inverted : {false, true}) {
        for (const Flag& f : flags) {
            const int n = f.field->place == EFieldPlace::kChannel ? 2 : 0;
            EXPECT_EQ(IsFieldOn(doc.Image(), *f.field, n), f.on != inverted) << f.field->name;
            EXPECT_EQ(f.get(doc), f.on != inverted) << f.field->name;
        }
        doc.SetByte(0x3C0, doc.Image()[0x3C0] ^ 0x03);
        doc.SetByte(0x3C4, doc.Image()[0x3C4] ^ 0x14);
        doc.SetByte(0x02C, doc.Image()[0x02C] ^ 0x17);
    }
}

// A change of any one field is named by that field's name and leaves no byte unexplained.
TEST_F(ImageFieldsTest, TheDifferenceOfAFieldIsNamedByIt) {
    CDromelPgmDoc a;
    a.NewDocument();
    a.SetFreqText(3, true, "440");
    a.SetFreqText(3, false, "445");
    a.SetScanType(1);
    struct Case {
        std::string name;
        std::function<void(CDromelPgmDoc&)> change;
    };
    const Case cases[] = {
        {"beep", [](CDromelPgmDoc& d) { d.SetBeepTone(!d.GetBeepTone()); }},
        {"battsave", [](CDromelPgmDoc& d) { d.SetBatterySave(!d.GetBatterySave()); }},
        {"clone", [](CDromelPgmDoc& d) { d.SetWiredClone(!d.GetWiredClone()); }},
        {"manualadjust", [](CDromelPgmDoc& d) { d.SetManualAdjust(!d.GetManualAdjust()); }},
        {"squelch", [](CDromelPgmDoc& d) { d.SetSquelchLevel(8); }},
        {"monitor", [](CDromelPgmDoc& d) { d.SetMonitorKey(1); }},
        {"timeout", [](CDromelPgmDoc& d) { d.SetTimeOutTimer(4); }},
        {"scantype", [](CDromelPgmDoc& d) { d.SetScanType(2); }},
        {"priority", [](CDromelPgmDoc& d) { d.SetPriorityChannel(3); }},
        {"loopback", [](CDromelPgmDoc& d) { d.SetLoopBackTime(5); }},
        {"revert", [](CDromelPgmDoc& d) { d.SetRevertChannel(2); }},
        {"dropout", [](CDromelPgmDoc& d) { d.SetDropoutDelay(2); }},
        {"ch3 rx", [](CDromelPgmDoc& d) { d.SetFreqText(3, true, "440.00625"); }},
        {"ch3 tx", [](CDromelPgmDoc& d) { d.SetFreqText(3, false, "445.00625"); }},
        {"ch3 rxtone", [](CDromelPgmDoc& d) { d.SetToneText(3, true, "D023N"); }},
        {"ch3 txtone", [](CDromelPgmDoc& d) { d.SetToneText(3, false, "88.5"); }},
        {"ch3 scan", [](CDromelPgmDoc& d) { d.SetScanAdd(3, !d.GetScanAdd(3)); }},
        {"ch3 opt6", [](CDromelPgmDoc& d) { d.SetOptCol6(3, !d.GetOptCol6(3)); }},
        {"ch3 band", [](CDromelPgmDoc& d) { d.SetNarrow(3, !d.GetNarrow(3)); }},
        {"ch3 opt8", [](CDromelPgmDoc& d) { d.SetOptCol8(3, !d.GetOptCol8(3)); }},
    };
    for (const Case& c : cases) {
        CDromelPgmDoc b = a;
        c.change(b);
        const std::vector<FieldDiff> diff = DiffWrittenImage(a, b, true);
        ASSERT_EQ(diff.size(), 1u) << c.name << ": first " << (diff.empty() ? "" : diff[0].name);
        EXPECT_EQ(diff[0].name, c.name);
    }
}
