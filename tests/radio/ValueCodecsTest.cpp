#include "radio/ValueCodecs.h"
#include "radio/ToneTables.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <set>
#include <string>

namespace {

struct Stored {
    std::array<std::uint8_t, 4> field;
    std::uint8_t step;
};

Stored Encode(const std::string& text) {
    Stored s{};
    EncodeFreqText(text, s.field.data(), s.step);
    return s;
}

std::string RoundTrip(const std::string& text) {
    return FreqFieldToText(Encode(text).field.data());
}

std::array<std::uint8_t, 2> Tone(const std::string& text) {
    std::array<std::uint8_t, 2> t{};
    EncodeToneText(text, t[0], t[1]);
    return t;
}

std::string ToneRoundTrip(const std::string& text) {
    const auto t = Tone(text);
    return ToneFieldToText(t[0], t[1], "None");
}

// What a codec makes of a text: a frequency as its stored text and step byte ("146.00000
// step 1"), a tone as its stored text, hexadecimal text as the bytes it gives.
enum class Codec { Freq, Tone, Hex };

std::string Convert(Codec codec, const std::string& input) {
    switch (codec) {
    case Codec::Freq: {
        const Stored s = Encode(input);
        return FreqFieldToText(s.field.data()) + " step " + std::to_string(s.step);
    }
    case Codec::Tone:
        return ToneRoundTrip(input);
    case Codec::Hex: {
        std::uint8_t bytes[16] = {};
        HexToBytes(input, input.size(), bytes);
        std::string out;
        for (std::size_t i = 0; i < input.size() / 2; ++i) {
            char pair[4];
            std::snprintf(pair, sizeof pair, "%02X", bytes[i]);
            out += pair;
        }
        return out;
    }
    }
    return {};
}

struct CodecCase {
    Codec codec;
    const char* input;
    const char* expected;
};

// The edges where each codec decides: the trailing "." the frequency editor lets through,
// both sides of the 6.25 kHz and the 5 kHz rounding thresholds (10 Hz apart), DCS digits
// beyond 7 in every position, and every hexadecimal digit of a settings-file entry.
const CodecCase kCodecCases[] = {
    {Codec::Freq, "146.", "146.00000 step 1"},
    {Codec::Freq, "146", "146.00000 step 1"},
    // 750 Hz below a 6.25 kHz step in the same 1 kHz rounds up to it; 10 Hz less does not.
    {Codec::Freq, "146.518", "146.51875 step 1"},
    {Codec::Freq, "146.51799", "146.52000 step 0"},
    // Beyond a 5 kHz step, up to 2.5 kHz rounds down and 10 Hz more rounds up.
    {Codec::Freq, "146.50249", "146.50000 step 1"},
    {Codec::Freq, "146.5025", "146.50000 step 1"},
    {Codec::Freq, "146.50251", "146.50500 step 0"},
    {Codec::Freq, "146.50749", "146.50500 step 0"},
    {Codec::Freq, "146.5075", "146.50500 step 0"},
    {Codec::Freq, "146.50751", "146.51000 step 0"},
    {Codec::Tone, "D027N", "D027N"},
    {Codec::Tone, "D777I", "D777I"},
    {Codec::Tone, "D028N", "D023N"},
    {Codec::Tone, "D019I", "D023N"},
    {Codec::Tone, "D082N", "D023N"},
    {Codec::Tone, "D902N", "D023N"},
    {Codec::Hex, "0123456789ABCDEF", "0123456789ABCDEF"},
    {Codec::Hex, "9a8b7c6d5e4f3929", "9A8B7C6D5E4F3929"},
    {Codec::Hex, "4D56313655390009", "4D56313655390009"},
};

} // namespace

TEST(Codecs, EveryCaseOfTheTable) {
    for (const CodecCase& c : kCodecCases) {
        EXPECT_EQ(Convert(c.codec, c.input), c.expected) << "input \"" << c.input << "\"";
    }
}

TEST(FreqCodec, PacksLeastSignificantPairFirst) {
    const Stored s = Encode("146.52");
    EXPECT_EQ(s.field, (std::array<std::uint8_t, 4>{0x00, 0x20, 0x65, 0x14}));
    EXPECT_EQ(s.step, 0);
    const Stored half = Encode("146.5");
    EXPECT_EQ(half.field, (std::array<std::uint8_t, 4>{0x00, 0x00, 0x65, 0x14}));
    EXPECT_EQ(half.step, 1);
    EXPECT_EQ(RoundTrip("146.52"), "146.52000");
    EXPECT_EQ(RoundTrip("45.12345"), "45.12500");
    const std::uint8_t low[4] = {0x45, 0x23, 0x51, 0x04};
    EXPECT_EQ(FreqFieldToText(low), "45.12345");
}

TEST(FreqCodec, RoundsToTheChannelRaster) {
    EXPECT_EQ(RoundTrip("146.50625"), "146.50625");
    EXPECT_EQ(Encode("146.50625").step, 1);
    EXPECT_EQ(RoundTrip("146.506"), "146.50625");
    EXPECT_EQ(Encode("146.506").step, 1);
    EXPECT_EQ(RoundTrip("146.51"), "146.51000");
    EXPECT_EQ(Encode("146.51").step, 0);
    EXPECT_EQ(RoundTrip("146.515"), "146.51500");
    EXPECT_EQ(RoundTrip("146.5125"), "146.51250");
    EXPECT_EQ(Encode("146.5125").step, 1);
    EXPECT_EQ(RoundTrip("146.525"), "146.52500");
    EXPECT_EQ(Encode("146.525").step, 1);
    EXPECT_EQ(RoundTrip("146.50250"), "146.50000");
    EXPECT_EQ(Encode("146.50250").step, 1);
    EXPECT_EQ(RoundTrip("146.50260"), "146.50500");
    EXPECT_EQ(Encode("146.50260").step, 0);
}

TEST(FreqCodec, DecimalShiftAndMalformedText) {
    EXPECT_EQ(FreqTextToValue("146.52"), 14652000);
    EXPECT_EQ(FreqTextToValue("146"), 14600000);
    EXPECT_EQ(FreqTextToValue("146.5"), 14650000);
    EXPECT_EQ(FreqTextToValue("146.123456789"), 14612345);
    EXPECT_EQ(FreqTextToValue(".5"), 50000);
    EXPECT_EQ(FreqTextToValue("1.2.3"), 12); // the second point ends the number
    EXPECT_EQ(FreqTextToValue("abc"), 0);
    EXPECT_EQ(FreqTextToValue("-5"), 0);
}

TEST(FreqCodec, ValuesBeyondTheFieldClampInsteadOfOverflowing) {
    EXPECT_EQ(FreqTextToValue("999999999"), kMaxFreqValue);
    EXPECT_EQ(FreqTextToValue("99999999999999999999999"), kMaxFreqValue);
    EXPECT_EQ(RoundTrip("999999999"), "999.99999");
    EXPECT_EQ(RoundTrip("1000"), "999.99999");
    EXPECT_EQ(RoundTrip("999.9999"), "999.99999");
    EXPECT_EQ(RoundTrip("999.99"), "999.99000");
    EXPECT_EQ(RoundTrip("0"), "00.00000");
}

TEST(FreqCodec, EmptyTextErasesFieldAndStep) {
    const Stored s = Encode("");
    EXPECT_EQ(s.field, (std::array<std::uint8_t, 4>{0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(s.step, 0xFF);
    EXPECT_TRUE(IsFreqFieldErased(s.field.data()));
    EXPECT_EQ(FreqFieldToText(s.field.data()), "");
    const std::uint8_t partly[4] = {0x00, 0x00, 0x00, 0x9A};
    EXPECT_TRUE(IsFreqFieldErased(partly));
}

TEST(FreqCodec, LimitTextsAndFieldValues) {
    EXPECT_EQ(LimitText(47000000), "470.00000");
    EXPECT_EQ(LimitText(10000000), "100.00000");
    EXPECT_EQ(LimitText(4512345), "045.12345");
    const std::uint8_t upper[4] = {0x00, 0x00, 0x00, 0x47};
    EXPECT_EQ(FreqFieldToValue(upper), 47000000);
    const std::uint8_t erased[4] = {0xFF, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(FreqFieldToValue(erased), 0);
}

TEST(ToneCodec, ShowsEveryKind) {
    EXPECT_EQ(ToneFieldToText(0x70, 0x06, "None"), "67.0");
    EXPECT_EQ(ToneFieldToText(0x73, 0x12, "None"), "127.3");
    EXPECT_EQ(ToneFieldToText(0x03, 0x25, "None"), "250.3");
    EXPECT_EQ(ToneFieldToText(0x23, 0x80, "None"), "D023N");
    EXPECT_EQ(ToneFieldToText(0x54, 0xC7, "None"), "D754I");
    EXPECT_EQ(ToneFieldToText(0x54, 0xB7, "None"), "D754N"); // bits 4 and 5 are ignored
    EXPECT_EQ(ToneFieldToText(0x12, 0xFF, "None"), "None");
}

TEST(ToneCodec, EncodesCtcssWithClamping) {
    EXPECT_EQ(Tone("67"), (std::array<std::uint8_t, 2>{0x70, 0x06}));
    EXPECT_EQ(ToneRoundTrip("67"), "67.0");
    EXPECT_EQ(Tone("127.3"), (std::array<std::uint8_t, 2>{0x73, 0x12}));
    EXPECT_EQ(ToneRoundTrip("300"), "254.1");
    EXPECT_EQ(ToneRoundTrip("50"), "67.0");
    EXPECT_EQ(ToneRoundTrip("88.57"), "88.5");
    EXPECT_EQ(ToneRoundTrip("999999999999999999"), "254.1");
}

TEST(ToneCodec, EncodesDcsAndFallsBackToD023N) {
    EXPECT_EQ(Tone("D023N"), (std::array<std::uint8_t, 2>{0x23, 0x80}));
    EXPECT_EQ(Tone("D754I"), (std::array<std::uint8_t, 2>{0x54, 0xC7}));
    EXPECT_EQ(ToneRoundTrip("d754i"), "D754I");
    EXPECT_EQ(ToneRoundTrip("D754X"), "D754N");
    EXPECT_EQ(ToneRoundTrip("D23N"), "D023N");
    EXPECT_EQ(ToneRoundTrip("D089N"), "D023N");
    EXPECT_EQ(ToneRoundTrip("D"), "D023N");
}

TEST(ToneCodec, AnythingElseIsNoTone) {
    EXPECT_EQ(Tone(""), (std::array<std::uint8_t, 2>{0xFF, 0xFF}));
    EXPECT_EQ(Tone("None"), (std::array<std::uint8_t, 2>{0xFF, 0xFF}));
    EXPECT_EQ(Tone(" 67"), (std::array<std::uint8_t, 2>{0xFF, 0xFF}));
}

TEST(ToneTables, EveryEntryRoundTripsThroughTheCodec) {
    const ToneTable tables[] = {CtcssTable38(), CtcssTable50(), DcsNormalTable(),
                                DcsInvertedTable()};
    const std::size_t counts[] = {38, 50, 83, 83};
    for (int t = 0; t < 4; ++t) {
        ASSERT_EQ(tables[t].count, counts[t]);
        std::set<std::string> seen;
        for (std::size_t i = 0; i < tables[t].count; ++i) {
            const std::string text = tables[t].slots[i];
            EXPECT_EQ(ToneRoundTrip(text), text) << text;
            EXPECT_TRUE(seen.insert(text).second) << text;
        }
    }
    std::set<std::string> wide(CtcssTable50().slots, CtcssTable50().slots + 50);
    for (std::size_t i = 0; i < 38; ++i) {
        EXPECT_EQ(wide.count(CtcssTable38().slots[i]), 1u);
    }
    for (std::size_t i = 0; i < 83; ++i) {
        std::string normal = DcsNormalTable().slots[i];
        normal.back() = 'I';
        EXPECT_EQ(normal, DcsInvertedTable().slots[i]);
    }
}

TEST(HexToBytes, ReadsEitherCase) {
    std::uint8_t upper[8];
    std::uint8_t lower[8];
    HexToBytes("4D5631365545000A", 16, upper);
    HexToBytes("4d5631365545000a", 16, lower);
    EXPECT_EQ(std::string(upper, upper + 8), std::string(lower, lower + 8));
    EXPECT_EQ(upper[0], 0x4D);
    EXPECT_EQ(upper[7], 0x0A);
    std::uint8_t shortText[2] = {0x55, 0x55};
    HexToBytes("F", 4, shortText);
    EXPECT_EQ(shortText[0], 0xF0);
    EXPECT_EQ(shortText[1], 0x00);
}
