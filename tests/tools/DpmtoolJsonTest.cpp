// dpmtool's machine output reads the same in every language, and its words go back through
// set; a channel list numbered from 0 is taken whole.
#include "DpmtoolRun.h"

#include <fstream>
#include <iterator>
#include <regex>

namespace {

std::string Shipped(const std::string& name) {
    std::ifstream in(std::string(DROMEL_SOURCE_DIR) + "/res/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The JSON without its "text" members, which are for people and follow the language.
std::string WithoutTexts(const std::string& json) {
    return std::regex_replace(json, std::regex(R"(, "text": (\{[^}]*\}|"[^"]*"))"), "");
}

// "chN.key=value" for every member with a value of the channel and test arrays.
std::string Assignments(const std::string& json) {
    std::string out;
    for (const char* array : {"channels", "test"}) {
        const std::size_t from = json.find(std::string("\"") + array + "\": [");
        const std::string rows = json.substr(from, json.find(']', from) - from);
        const std::string prefix = array == std::string("test") ? "test" : "ch";
        int n = 0;
        std::size_t at = 0;
        while ((at = rows.find('{', at)) != std::string::npos) {
            const std::string row = rows.substr(at, rows.find('}', at) - at);
            ++n;
            ++at;
            const std::regex member(R"re("(\w+)": "?([^",]*)"?)re");
            for (std::sregex_iterator m(row.begin(), row.end(), member), end; m != end; ++m) {
                // An erased transmit frequency of a channel in use goes back as "tx=".
                const bool erasedTx = (*m)[1] == "tx" && (*m)[2] == "null" &&
                                      row.find("\"rx\": null") == std::string::npos;
                if ((*m)[2] != "null" || erasedTx) {
                    out += " " + prefix + std::to_string(n) + "." + (*m)[1].str() + "=" +
                           (erasedTx ? "" : (*m)[2].str());
                }
            }
        }
    }
    return out;
}

class DpmtoolJsonTest : public DpmtoolTest {
protected:
    void SetUp() override {
        DpmtoolTest::SetUp();
        m_dir.write("lang_en.lng", Shipped("lang_en.lng"));
        m_dir.write("lang_cn.lng", Shipped("lang_cn.lng"));
        Ok("new a.dpm");
        Ok("set a.dpm ch1.rx=446.00625 ch1.rxtone=67.0 ch1.band=narrow ch1.opt6=true "
           "ch2.rx=446.1 ch2.tx=440 ch2.txtone=D023N ch2.scan=false ch3.rx=447 ch3.tx= "
           "test1.rx=440 test1.txtone=D754I beep=false clone=on");
    }

    std::string ShowJson(const char* lang) {
        const DpmResult r = RunShell(std::string("exec env -u LC_ALL -u LC_MESSAGES LANG=") + lang +
                                     " ./dpmtool show a.dpm --json");
        EXPECT_EQ(r.status, 0) << r.err;
        return r.out;
    }
};

} // namespace

TEST_F(DpmtoolJsonTest, ShowJsonIsTheSameInEveryLanguage) {
    const std::string english = ShowJson("C");
    const std::string chinese = ShowJson("zh_CN.UTF-8");
    EXPECT_NE(english, chinese) << "the language did not change";
    EXPECT_EQ(WithoutTexts(english), WithoutTexts(chinese));
    for (const char* want :
         {R"({"rx": "446.00625", "rxtone": "67.0", "tx": "446.00625", "txtone": "67.0", )"
          R"("scan": true, "opt6": true, "band": "narrow", "opt8": false})",
          R"("rxtone": "none", "tx": "440.00000", "txtone": "D023N", "scan": false, )",
          R"("tx": null, "txtone": null, "scan": true)",
          R"({"rx": null, "rxtone": null, "tx": null, "txtone": null, "scan": null)",
          R"("txtone": "D754I"})", "\"beep\": false,", "\"clone\": true,"}) {
        EXPECT_NE(chinese.find(want), std::string::npos) << want << "\n" << chinese;
    }
}

TEST_F(DpmtoolJsonTest, JsonWordsGoBackThroughSet) {
    const std::string json = ShowJson("zh_CN.UTF-8");
    Ok("new b.dpm");
    Ok("set b.dpm beep=false clone=true" + Assignments(json));
    Ok("diff a.dpm b.dpm");
    const DpmResult refused = Run("set b.dpm ch1.scan=maybe");
    EXPECT_EQ(refused.status, 2);
    EXPECT_NE(refused.err.find("neither true (yes) nor false (no)"), std::string::npos)
        << refused.err;
}

TEST_F(DpmtoolJsonTest, DiffJsonGivesWordsAndTheOptionsTextBeside) {
    Ok("new b.dpm");
    Ok("set b.dpm monitor=0");
    const DpmResult r = RunShell("exec env LANG=zh_CN.UTF-8 ./dpmtool diff a.dpm b.dpm --json");
    EXPECT_EQ(r.status, 6);
    for (const char* want : {R"({"name": "ch1 scan", "a": true, "b": null})",
                             R"({"name": "ch1 band", "a": "narrow", "b": null})",
                             R"({"name": "beep", "a": false, "b": true})",
                             R"({"name": "monitor", "a": 3, "b": 0, "text": {"a": ")"}) {
        EXPECT_NE(r.out.find(want), std::string::npos) << want << "\n" << r.out;
    }
}

TEST_F(DpmtoolJsonTest, ChannelListNumberedFromZeroIsTakenWhole) {
    const std::string header = "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,"
                               "DtcsCode,DtcsPolarity,RxDtcsCode,CrossMode,Mode,TStep,Skip,"
                               "Power,Comment\r\n";
    const auto rows = [&](int first, int last) {
        std::string csv = header;
        for (int n = first; n <= last; ++n) {
            csv += std::to_string(n) + ",," + std::to_string(440 + n) +
                   ".000000,,0,,88.5,88.5,023,NN,023,,FM,,,,\r\n";
        }
        return csv;
    };
    struct Case {
        std::string csv;
        int status;
        bool fromZero;
        const char* channel16; // channel 16's rx after the import
    };
    const Case cases[] = {
        {rows(0, 15), 0, true, "455.00000"},
        {rows(1, 16), 0, false, "456.00000"},
        // Location 16 besides 0: the file is numbered from 1 and row 0 is refused.
        {rows(0, 0) + rows(16, 16).substr(header.size()), 2, false, "456.00000"},
    };
    for (const Case& c : cases) {
        Ok("new b.dpm --force");
        m_dir.write("in.csv", c.csv);
        const DpmResult r = Run("import b.dpm in.csv");
        EXPECT_EQ(r.status, c.status) << c.csv << r.err;
        EXPECT_EQ(r.err.find("numbered from 0") != std::string::npos, c.fromZero) << r.err;
        const std::string json = Ok("show b.dpm --json");
        EXPECT_NE(json.find(std::string("{\"rx\": \"") + c.channel16), std::string::npos) << json;
        if (c.fromZero) {
            EXPECT_NE(json.find("{\"rx\": \"440.00000\""), std::string::npos) << json;
        }
    }
}
