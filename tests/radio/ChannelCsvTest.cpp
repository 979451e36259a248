#include "RadioFixture.h"

#include "radio/ChannelCsv.h"
#include "radio/ChannelRules.h"
#include "radio/CsvFormat.h"

#include <string>
#include <vector>

using ChannelCsvTest = RadioTest;

namespace {

// The exported row of channel n, without its line break; empty when it has none.
std::string Row(const std::string& csv, int n) {
    const std::string start = "\r\n" + std::to_string(n) + ",";
    const std::size_t at = csv.find(start);
    if (at == std::string::npos) {
        return {};
    }
    return csv.substr(at + 2, csv.find("\r\n", at + 2) - at - 2);
}

} // namespace

TEST_F(ChannelCsvTest, ChannelsExportAsTheirRowsAndImportBackUnchanged) {
    struct Case {
        const char* rx;
        const char* tx;
        const char* rxTone;
        const char* txTone;
        const char* row;
    };
    const Case cases[] = {
        {"440", "440", "", "", "440.000000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,NFM,6.25"},
        {"440", "445", "", "88.5", "440.000000,+,5.000000,Tone,88.5,88.5,023,NN,023,Tone->Tone"},
        {"450", "440", "100.0", "100.0", "450.000000,-,10.000000,TSQL,100.0,100.0,023,NN,023,"},
        {"440", "440", "D023I", "D023N", "440.000000,,0.000000,DTCS,88.5,88.5,023,NR,023,"},
        {"440", "440", "D754N", "67.0",
         "440.000000,,0.000000,Cross,67.0,88.5,023,NN,754,Tone->DTCS"},
        {"440", "440", "", "D025N", "440.000000,,0.000000,Cross,88.5,88.5,025,NN,023,DTCS->,"},
        {"440", "440", "94.8", "", "440.000000,,0.000000,Cross,88.5,94.8,023,NN,023,->Tone,"},
        {"440", "440", "88.5", "100.0", "440.000000,,0.000000,Cross,100.0,88.5,023,NN,023,Tone->"},
        {"463", "", "", "", "463.000000,off,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,"},
        {"446.505", "446.505", "", "",
         "446.505000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00"},
    };
    CDromelPgmDoc doc;
    doc.NewDocument();
    int n = 0;
    for (const Case& c : cases) {
        ++n;
        doc.SetFreqText(n, true, c.rx);
        doc.SetFreqText(n, false, c.tx);
        doc.SetToneText(n, true, c.rxTone);
        doc.SetToneText(n, false, c.txTone);
    }
    // The flags travel in Mode, Skip and Comment.
    doc.SetNarrow(1, true);
    doc.SetScanAdd(2, false);
    doc.SetOptCol6(3, true);
    doc.SetOptCol8(4, true);
    const std::string csv = ExportChannelsCsv(doc);
    n = 0;
    for (const Case& c : cases) {
        ++n;
        EXPECT_EQ(Row(csv, n).find(std::to_string(n) + ",," + c.row), 0u) << Row(csv, n);
    }
    EXPECT_EQ(Row(csv, 1), "1,,440.000000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,NFM,6.25,,,"
                           "opt6=no opt8=no");
    EXPECT_NE(Row(csv, 2).find(",S,,opt6=no opt8=no"), std::string::npos);
    EXPECT_NE(Row(csv, 3).find("opt6=yes opt8=no"), std::string::npos);
    EXPECT_NE(Row(csv, 4).find("opt6=no opt8=yes"), std::string::npos);
    EXPECT_EQ(Row(csv, n + 1), ""); // an empty channel has no row

    CDromelPgmDoc back;
    back.NewDocument();
    const CsvImport import = ImportChannelsCsv(back, csv);
    ASSERT_TRUE(import.isChannelCsv) << import.whyNot;
    EXPECT_EQ(import.used, n);
    EXPECT_TRUE(import.skipped.empty() && import.notices.empty());
    for (int ch = 1; ch <= kChannelCount; ++ch) {
        for (int col = 1; col < kChannelColumns; ++col) {
            EXPECT_EQ(GetChannelCellText(back, ch, col), GetChannelCellText(doc, ch, col))
                << "channel " << ch << " column " << col;
        }
    }
}

TEST(CsvFormatTest, SplitsRowsAndQuotesFields) {
    struct Case {
        const char* text;
        bool ok;
        std::vector<CsvRow> rows;
    };
    const Case cases[] = {
        {"a,b\r\nc,d\n", true, {{1, {"a", "b"}}, {2, {"c", "d"}}}},
        {"\xEF\xBB\xBF"
         "a,\"b,\"\"c\"\"\nd\"\n\ne",
         true,
         {{1, {"a", "b,\"c\"\nd"}}, {4, {"e"}}}},
        {",\r\n\r\n", true, {{1, {"", ""}}}},
        {"a,\"open\n", false, {}},
    };
    for (const Case& c : cases) {
        std::vector<CsvRow> rows;
        ASSERT_EQ(ParseCsv(c.text, rows), c.ok) << c.text;
        if (!c.ok) {
            continue;
        }
        ASSERT_EQ(rows.size(), c.rows.size()) << c.text;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            EXPECT_EQ(rows[i].line, c.rows[i].line) << c.text;
            EXPECT_EQ(rows[i].fields, c.rows[i].fields) << c.text;
        }
    }
    const std::pair<const char*, const char*> fields[] = {
        {"plain", "plain"},
        {"a,b", "\"a,b\""},
        {"say \"hi\"", "\"say \"\"hi\"\"\""},
        {"two\r\nlines", "\"two\r\nlines\""},
    };
    for (const auto& [text, written] : fields) {
        EXPECT_EQ(CsvField(text), written);
    }
}
