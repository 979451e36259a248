#include "radio/ImageDiff.h"

#include "radio/SettingNames.h"
#include "radio/TestFreqRules.h"
#include "radio/TestModeRules.h"

#include <array>
#include <cstdio>

namespace {

// The bits of one byte a field occupies.
struct FieldBits {
    std::size_t offset;
    std::uint8_t mask;
};
using BitList = std::vector<FieldBits>;

BitList Bytes(std::size_t offset, std::size_t size) {
    BitList bits;
    for (std::size_t i = 0; i < size; ++i) {
        bits.push_back({offset + i, 0xFF});
    }
    return bits;
}

// The bits of a field, of channel record n for a channel field.
BitList BitsOf(const SImageField& field, int n = 0) {
    BitList bits = Bytes(FieldAddress(field, n), field.size);
    for (FieldBits& bit : bits) {
        bit.mask = field.mask;
    }
    return bits;
}

// The bits of channel record n a grid cell shows. A frequency includes its step byte, which
// follows from the frequency.
BitList CellBits(int n, const Named<int>& cell) {
    BitList bits = BitsOf(*cell.field, n);
    if (cell.value == kColRxFreq || cell.value == kColTxFreq) {
        bits.push_back(BitsOf(cell.value == kColRxFreq ? kFieldRxStep : kFieldTxStep, n).front());
    }
    return bits;
}

// An option as the form shows it; an index beyond the list shows as the bare number.
std::string OptionText(const CDromelPgmDoc& doc, FormOption option) {
    std::string text = GetFormOptionText(doc, option);
    return text.empty() ? std::to_string(GetFormOption(doc, option)) : text;
}

std::string ModelText(const CDromelPgmDoc& doc) {
    std::string text = std::to_string(doc.GetModel());
    const std::string name = GetFormModelText(doc);
    return name.empty() ? text : text + " " + name;
}

// The header's text without the blanks and zero bytes that pad it.
std::string HeaderText(const CDromelPgmDoc& doc) {
    std::string text(doc.GetHeader().begin(), doc.GetHeader().end());
    while (!text.empty() && (text.back() == ' ' || text.back() == '\0')) {
        text.pop_back();
    }
    return text;
}

std::string Hex(std::uint8_t value) {
    char text[4];
    std::snprintf(text, sizeof text, "%02X", value);
    return text;
}

std::string Address(std::size_t offset) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%03zX", offset);
    return text;
}

// A value as text for people and as its word.
struct SValue {
    std::string text;
    SKeyword word;
};

SValue CellValue(const CDromelPgmDoc& doc, int n, int col) {
    return {GetChannelCellText(doc, n, col), ChannelCellKeyword(doc, n, col)};
}

SValue TestValue(const CDromelPgmDoc& doc, int r, int col) {
    return {GetTestCellText(doc, r, col), TestCellKeyword(doc, r, col)};
}

SValue OptionValue(const CDromelPgmDoc& doc, FormOption option) {
    return {OptionText(doc, option), NumberKeyword(GetFormOption(doc, option))};
}

SValue OnOff(bool on) {
    return {on ? "on" : "off", FlagKeyword(on)};
}

// Collects the entries and the bits they explain.
class CDiffList {
public:
    CDiffList(const CDromelPgmDoc& a, const CDromelPgmDoc& b) : m_a(a), m_b(b) {}

    // Adds an entry when the texts differ and marks its bits explained; the words are the
    // texts themselves unless given.
    void Field(const std::string& name, const std::string& a, const std::string& b,
               const BitList& bits, bool shown = true) {
        Field(name, {a, WordKeyword(a)}, {b, WordKeyword(b)}, bits, shown);
    }

    void Field(const std::string& name, const SValue& a, const SValue& b, const BitList& bits,
               bool shown = true) {
        if (a.text == b.text) {
            return;
        }
        m_list.push_back({name, shown ? a.text : "", shown ? b.text : "", shown,
                          shown ? a.word : SKeyword{}, shown ? b.word : SKeyword{}});
        Explain(bits);
    }

    void Explain(const BitList& bits) {
        for (const FieldBits& bit : bits) {
            m_explained[bit.offset] |= bit.mask;
        }
    }

    // Lists the differing bits in [begin, end) that no entry explains, byte by byte.
    void Unexplained(std::size_t begin, std::size_t end) {
        for (std::size_t i = begin; i < end; ++i) {
            if (((m_a.Image()[i] ^ m_b.Image()[i]) & ~m_explained[i]) != 0) {
                const std::string a = Hex(m_a.Image()[i]);
                const std::string b = Hex(m_b.Image()[i]);
                m_list.push_back({Address(i), a, b, true, WordKeyword(a), WordKeyword(b)});
            }
        }
    }

    std::vector<FieldDiff> Take() { return std::move(m_list); }

private:
    const CDromelPgmDoc& m_a;
    const CDromelPgmDoc& m_b;
    std::array<std::uint8_t, kImageSize> m_explained{};
    std::vector<FieldDiff> m_list;
};

// The named fields of the written part, without the listing of unexplained bytes.
void DiffWrittenFields(CDiffList& list, const CDromelPgmDoc& a, const CDromelPgmDoc& b,
                       bool dealer) {
    for (int n = 1; n <= kChannelCount; ++n) {
        for (const auto& cell : kCellNames) {
            list.Field("ch" + std::to_string(n) + " " + cell.key, CellValue(a, n, cell.value),
                       CellValue(b, n, cell.value), CellBits(n, cell));
        }
    }
    for (int r = 1; r <= kChannelCount; ++r) {
        for (int col = 1; col < kTestFreqColumns; ++col) {
            list.Field("test" + std::to_string(r) + " " + kCellNames[col - 1].key,
                       TestValue(a, r, col), TestValue(b, r, col),
                       CellBits(TestChannel(r), kCellNames[col - 1]));
        }
    }
    for (const auto& option : kOptionNames) {
        list.Field(option.key, OptionValue(a, option.value), OptionValue(b, option.value),
                   BitsOf(*option.field));
    }
    for (const auto& check : kCheckNames) {
        list.Field(check.key, OnOff(GetFormCheck(a, check.value)),
                   OnOff(GetFormCheck(b, check.value)), BitsOf(*check.field));
    }
    list.Field(kFieldManualAdjust.name, OnOff(a.GetManualAdjust()), OnOff(b.GetManualAdjust()),
               BitsOf(kFieldManualAdjust), dealer);
    // The model identification and the model's parameters follow from the model.
    BitList modelBits = Bytes(kModelIdOffset, kModelIdSize);
    const BitList params = Bytes(kModelParamsOffset, kModelParamsSize);
    modelBits.insert(modelBits.end(), params.begin(), params.end());
    list.Field("model", {ModelText(a), NumberKeyword(a.GetModel())},
               {ModelText(b), NumberKeyword(b.GetModel())}, modelBits);
}

} // namespace

std::vector<FieldDiff> DiffWrittenImage(const CDromelPgmDoc& a, const CDromelPgmDoc& b,
                                        bool dealer) {
    CDiffList list(a, b);
    DiffWrittenFields(list, a, b, dealer);
    list.Unexplained(0, kWrittenEnd);
    return list.Take();
}

std::vector<FieldDiff> DiffDocuments(const CDromelPgmDoc& a, const CDromelPgmDoc& b, bool dealer) {
    CDiffList list(a, b);
    DiffWrittenFields(list, a, b, dealer);
    const AlignmentValues va = GetAlignmentValues(a);
    const AlignmentValues vb = GetAlignmentValues(b);
    if (dealer) {
        for (int i = 0; i < kAlignmentCount; ++i) {
            const auto at = static_cast<std::size_t>(i);
            list.Field(std::string("align.") + kAlignmentKeys[at],
                       {std::to_string(va[at]), NumberKeyword(va[at])},
                       {std::to_string(vb[at]), NumberKeyword(vb[at])},
                       {{kAlignmentOffset + at, 0xFF}});
        }
    } else if (va != vb) {
        list.Field("alignment", "", "x", Bytes(kAlignmentOffset, kAlignmentSize), false);
    }
    list.Unexplained(0, kImageSize);
    list.Field("header", HeaderText(a), HeaderText(b), {});
    return list.Take();
}
