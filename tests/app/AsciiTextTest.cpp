#include "app/AsciiText.h"

#include <gtest/gtest.h>

TEST(AsciiText, CaseOfAsciiLettersOnly) {
    EXPECT_EQ(AsciiLower("MoDel 9 [Z]@`{"), "model 9 [z]@`{");
    EXPECT_EQ(AsciiLower("\xC3\x84"
                         "Ab\xE4\xB8\xAD"),
              "\xC3\x84"
              "ab\xE4\xB8\xAD");
    EXPECT_EQ(AsciiUpper('d'), 'D');
    EXPECT_EQ(AsciiUpper('{'), '{');
    EXPECT_EQ(AsciiUpper('\xE4'), '\xE4');
}

TEST(AsciiText, EqualsNoCase) {
    struct Case {
        const char* a;
        const char* b;
        bool equal;
    };
    for (const Case& c :
         {Case{"Letter", "lETTER", true}, Case{"", "", true}, Case{"a4", "A4", true},
          Case{"model", "models", false}, Case{"models", "model", false}, Case{"@", "`", false},
          Case{"[", "{", false}, Case{"\xC3\x84", "\xC3\xA4", false}}) {
        EXPECT_EQ(EqualsNoCase(c.a, c.b), c.equal) << c.a << " / " << c.b;
    }
}

TEST(AsciiText, TrimTakesBlanksFromBothEnds) {
    struct Case {
        const char* text;
        const char* trimmed;
    };
    for (const Case& c : {Case{" \t key = v \r\n", "key = v"}, Case{"x", "x"}, Case{" \t\r\n", ""},
                          Case{"", ""}, Case{"\vx\f", "\vx\f"}, Case{"a  b", "a  b"}}) {
        EXPECT_EQ(TrimView(c.text), c.trimmed) << c.text;
        EXPECT_EQ(Trim(c.text), c.trimmed) << c.text;
    }
}
