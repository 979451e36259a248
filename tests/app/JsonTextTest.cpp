#include "app/JsonText.h"

#include <gtest/gtest.h>

TEST(JsonText, FlatObjectReadsWhatJsonStringWrites) {
    const std::string text = "a \"quoted\" \\ path\t\x01 Ω";
    std::map<std::string, std::string> members;
    ASSERT_TRUE(ParseFlatJsonObject(
        "{" + JsonString("t") + ": " + JsonString(text) + ", \"n\": -12 , \"e\":\"\"}", members));
    EXPECT_EQ(members["t"], text);
    EXPECT_EQ(members["n"], "-12");
    EXPECT_EQ(members["e"], "");
    ASSERT_TRUE(ParseFlatJsonObject(R"({"u": "\u00e9\ud83d\ude00\/\n"})", members));
    EXPECT_EQ(members["u"], "\xc3\xa9\xf0\x9f\x98\x80/\n");
}

TEST(JsonText, FlatObjectRefusesOtherText) {
    for (const char* text :
         {"", "{", "{\"a\": 1", "{\"a\" 1}", "{\"a\": 1,}", "{\"a\": [1]}", "{\"a\": true}",
          "{\"a\": \"x}", "{\"a\": \"\\q\"}", "{\"a\": \"\\ud800\"}", "{\"a\": -}", "{\"a\": 1} x",
          "{\"a\": \"\x01\"}", "[]"}) {
        std::map<std::string, std::string> members;
        EXPECT_FALSE(ParseFlatJsonObject(text, members)) << text;
    }
}
