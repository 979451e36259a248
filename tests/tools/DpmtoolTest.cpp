#include "DpmtoolRun.h"

namespace {

// The value of a JSON member written by show --json on one line, e.g. "priority".
std::string JsonLine(const std::string& json, const std::string& key) {
    const std::size_t at = json.find("\"" + key + "\":");
    if (at == std::string::npos) {
        return {};
    }
    return json.substr(at, json.find('\n', at) - at);
}

// The line of channel n in the "channels" (or "test") array of show --json.
std::string JsonRow(const std::string& json, const std::string& array, int n) {
    std::size_t at = json.find("\"" + array + "\": [");
    for (int i = 0; i < n && at != std::string::npos; ++i) {
        at = json.find("\n    {", at + 1);
    }
    return at == std::string::npos ? std::string()
                                   : json.substr(at + 5, json.find('\n', at + 1) - at - 5);
}

} // namespace

TEST_F(DpmtoolTest, NewWritesAModelTwoDocument) {
    Ok("new a.dpm");
    const std::string bytes = m_dir.read("a.dpm");
    ASSERT_EQ(bytes.size(), 1072u);
    EXPECT_EQ(bytes.substr(0, 48), "QX  Radio Program data v1.33.7410 Morcan Vale   ");
    const std::string image = bytes.substr(48);
    EXPECT_EQ(image.substr(0x3D0, 8), std::string("MV16UE\0\x0A", 8));
    EXPECT_EQ(static_cast<unsigned char>(image[0x350]), 0x20);
    EXPECT_EQ(static_cast<unsigned char>(image[0x3C1]), 3);  // squelch
    EXPECT_EQ(static_cast<unsigned char>(image[0x3C2]), 3);  // monitor key
    EXPECT_EQ(static_cast<unsigned char>(image[0x3C9]), 50); // dropout 5.0 s
    EXPECT_EQ(static_cast<unsigned char>(image[0x010]), 0xFF);

    const std::string json = Ok("show a.dpm --json");
    EXPECT_EQ(JsonLine(json, "model"), "\"model\": 2,");
    EXPECT_EQ(JsonLine(json, "modelName"), "\"modelName\": \"MV-16UE 400-480\",");
    EXPECT_EQ(JsonLine(json, "limits"),
              "\"limits\": {\"low\": \"400.00000\", \"high\": \"480.00000\"},");
    EXPECT_EQ(JsonLine(json, "monitor"), "\"monitor\": {\"index\": 3, \"text\": \"Squelch off\"},");
    EXPECT_EQ(JsonLine(json, "beep"), "\"beep\": true,");
    EXPECT_EQ(JsonRow(json, "channels", 1),
              "{\"rx\": null, \"rxtone\": null, \"tx\": null, \"txtone\": null, \"scan\": null, "
              "\"opt6\": null, \"band\": null, \"opt8\": null},");
    EXPECT_EQ(JsonRow(json, "test", 1), "{\"rx\": \"440.10000\", \"rxtone\": \"none\", \"tx\": "
                                        "\"440.00000\", \"txtone\": \"none\"},");
    EXPECT_EQ(JsonRow(json, "test", 5), "{\"rx\": \"440.55000\", \"rxtone\": \"D023N\", \"tx\": "
                                        "\"440.55000\", \"txtone\": \"D023N\"},");
    EXPECT_EQ(JsonRow(json, "test", 9), "{\"rx\": null, \"rxtone\": null, \"tx\": null, "
                                        "\"txtone\": null},");
}

TEST_F(DpmtoolTest, NewWithAModelAndItsRefusals) {
    Ok("new v.dpm --model 0");
    EXPECT_NE(Ok("show v.dpm").find("limits    136.00000 - 174.00000"), std::string::npos);
    const DpmResult badModel = Run("new w.dpm --model 7");
    EXPECT_EQ(badModel.status, 2);
    EXPECT_NE(badModel.err.find("w.dpm"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(m_dir.file("w.dpm")));
    const DpmResult exists = Run("new v.dpm");
    EXPECT_EQ(exists.status, 3);
    EXPECT_NE(exists.err.find("v.dpm: the file exists already"), std::string::npos);
    Ok("new v.dpm --force");
    EXPECT_EQ(Run("new").status, 1);
    EXPECT_EQ(Run("new a.dpm --model").status, 1);
    EXPECT_EQ(Run("frobnicate").status, 1);
    EXPECT_EQ(Run("").status, 1);
    EXPECT_EQ(Run("--help").status, 0);
}

TEST_F(DpmtoolTest, SetThenShowFollowTheRules) {
    Ok("new a.dpm");
    Ok("set a.dpm ch1.rx=446.5 ch2.rx=440.0125 ch2.tx=445 ch2.rxtone=d023i ch3.rx=999 "
       "ch3.rxtone=88.5 ch3.txtone=100 ch1.band=narrow ch1.opt6=yes ch3.scan=no "
       "scantype=1 priority=2 revert=3 loopback=48 timeout=10 beep=off clone=on "
       "ch4.rx=146.525 test1.rx=999999999 test9.tx=12 test1.rxtone=50 ch4.rxtone=00100");
    const std::string json = Ok("show a.dpm --json");
    EXPECT_EQ(JsonRow(json, "channels", 1),
              "{\"rx\": \"446.50000\", \"rxtone\": \"none\", \"tx\": \"446.50000\", \"txtone\": "
              "\"none\", \"scan\": true, \"opt6\": true, \"band\": \"narrow\", \"opt8\": false},");
    EXPECT_EQ(JsonRow(json, "channels", 2),
              "{\"rx\": \"440.01250\", \"rxtone\": \"D023I\", \"tx\": \"445.00000\", \"txtone\": "
              "\"D023I\", \"scan\": true, \"opt6\": false, \"band\": \"wide\", \"opt8\": false},");
    // 999 is above the limit of model 2 and becomes 480.
    EXPECT_EQ(JsonRow(json, "channels", 3),
              "{\"rx\": \"480.00000\", \"rxtone\": \"88.5\", \"tx\": \"480.00000\", \"txtone\": "
              "\"100.0\", \"scan\": false, \"opt6\": false, \"band\": \"wide\", \"opt8\": false},");
    // 146.525 is clamped to the lower limit.
    EXPECT_NE(JsonRow(json, "channels", 4).find("\"rx\": \"400.00000\""), std::string::npos);
    EXPECT_NE(JsonRow(json, "channels", 4).find("\"rxtone\": \"100.0\""), std::string::npos);
    EXPECT_EQ(JsonLine(json, "scantype"), "\"scantype\": {\"index\": 1, \"text\": \"Time\"},");
    EXPECT_EQ(JsonLine(json, "priority"), "\"priority\": {\"index\": 2, \"text\": \"2\"},");
    EXPECT_EQ(JsonLine(json, "revert"), "\"revert\": {\"index\": 3, \"text\": \"mode 3\"},");
    EXPECT_EQ(JsonLine(json, "loopback"), "\"loopback\": {\"index\": 48, \"text\": \"5.0\"},");
    EXPECT_EQ(JsonLine(json, "timeout"), "\"timeout\": {\"index\": 10, \"text\": \"300\"},");
    EXPECT_EQ(JsonLine(json, "beep"), "\"beep\": false,");
    EXPECT_EQ(JsonLine(json, "clone"), "\"clone\": true,");
    // Test channels: no limits, no follow, the field's largest value.
    EXPECT_EQ(JsonRow(json, "test", 1), "{\"rx\": \"999.99999\", \"rxtone\": \"67.0\", \"tx\": "
                                        "\"440.00000\", \"txtone\": \"none\"},");
    EXPECT_EQ(JsonRow(json, "test", 9), "{\"rx\": null, \"rxtone\": null, \"tx\": \"12.00000\", "
                                        "\"txtone\": null},");
}

TEST_F(DpmtoolTest, RefusedAssignmentsLeaveTheFileUnchanged) {
    Ok("new a.dpm");
    Ok("set a.dpm ch1.rx=440 ch2.rx=441");
    const std::string before = m_dir.read("a.dpm");
    const std::pair<const char*, const char*> refused[] = {
        {"ch5.rx=440 scantype=1 priority=6", "channel 6 is empty"},
        {"priority=1", "no scan type is chosen"},
        {"scantype=1 priority=16", "outside its list"},
        {"ch2.scan=no scantype=1", "the scan type is disabled"},
        {"ch9.tx=440", "the cell is greyed"},
        {"ch9.rxtone=88.5", "the cell is greyed"},
        {"ch1.tx= ch1.txtone=88.5", "the cell is greyed"},
        {"test12.rxtone=88.5", "the cell is greyed"},
        {"squelch=10", "outside its list"},
        {"monitor=-1", "outside its list"},
        {"model=4", "outside its list"},
        {"ch17.rx=440", "channel 17 does not exist"},
        {"ch0.rx=440", "channel 0 does not exist"},
        {"ch1.band=medium", "neither wide nor narrow"},
        {"beep=yes", "neither true (on) nor false (off)"},
        {"ch1.power=high", "unknown channel field"},
        {"volume=3", "unknown setting"},
        {"squelch", "not of the form NAME=VALUE"},
        {"=3", "not of the form NAME=VALUE"},
        // Frequency and tone texts that could not have been typed into their cells.
        {"ch1.rx=nan", "ch1.rx=nan: \"nan\" is not a frequency in MHz"},
        {"ch1.rx=\xEF\xBC\x94\xEF\xBC\x94\xEF\xBC\x96", "is not a frequency in MHz"},
        {"ch1.rx=1e309", "\"1e309\" is not a frequency in MHz"},
        {"ch1.tx=-440", "\"-440\" is not a frequency in MHz"},
        {"ch1.rx=146.5x25", "\"146.5x25\" is not a frequency in MHz"},
        {"ch1.rx=1.2.3", "\"1.2.3\" is not a frequency in MHz"},
        {"ch1.rx=446,5,5",
         "ch1.rx=446,5,5: \"446,5,5\" is not a frequency"}, // one comma is a point
        {"ch1.rx=446.006250", "longer than the 9 characters a frequency cell takes"},
        {"test3.tx=440MHz", "\"440MHz\" is not a frequency in MHz"},
        {"ch2.rxtone=X", "ch2.rxtone=X: \"X\" is not a tone"},
        {"ch2.rxtone=-88.5", "\"-88.5\" is not a tone"},
        {"ch2.rxtone=8e1", "\"8e1\" is not a tone"},
        {"ch2.rxtone=88,5", "\"88,5\" holds a comma"},
        {"ch2.rxtone=D754X", "\"D754X\" is not a tone"},
        {"ch2.rxtone=00100.5", "longer than the 5 characters a tone cell takes"},
        {"test1.txtone=1.2.3", "\"1.2.3\" is not a tone"},
        {"ch2.rx=445 ch1.rx=nan", "\"nan\" is not a frequency"}, // nothing saved
    };
    for (const auto& [args, reason] : refused) {
        const DpmResult r = Run(std::string("set a.dpm ") + args);
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_NE(r.err.find("a.dpm: "), std::string::npos) << r.err;
        EXPECT_NE(r.err.find(reason), std::string::npos) << args << ": " << r.err;
        EXPECT_EQ(m_dir.read("a.dpm"), before) << args;
    }
    EXPECT_EQ(Run("set a.dpm").status, 1);
}

TEST_F(DpmtoolTest, SetNamesEveryValueItClampedOrReplaced) {
    Ok("new a.dpm");
    Ok("set a.dpm ch1.rx=440");
    const std::pair<const char*, const char*> cases[] = {
        {"ch1.rx=999", "ch1.rx: 999 is above the model's band, stored as 480.00000"},
        {"ch1.tx=12", "ch1.tx: 12 is below the model's band, stored as 400.00000"},
        {"ch1.rx=446.00312",
         "ch1.rx: 446.00312 is not on the channel raster (6.25 kHz or 5 kHz steps), stored as "
         "446.00500"},
        {"ch1.rxtone=300",
         "ch1.rxtone: 300 is not a tone (CTCSS tones are 67.0 to 254.1 Hz), stored as 254.1"},
        {"ch1.txtone=D089N",
         "ch1.txtone: D089N is not a DCS code (D, three octal digits, N or I), stored as D023N"},
        {"test1.rx=999999999",
         "test1.rx: 999999999 is outside what a frequency field holds (0 to 999.99999 MHz), "
         "stored as 999.99999"},
        {"ch1.rx=446,5",
         "ch1.rx: 446,5 has a decimal comma, read as the decimal point, stored as 446.50000"},
        {"ch1.rx=446.00625", nullptr},
        {"ch1.rxtone=67", nullptr},
        {"ch1.rxtone=none", nullptr},
    };
    for (const auto& [args, notice] : cases) {
        const std::string before = m_dir.read("a.dpm");
        const DpmResult r = Run(std::string("set a.dpm ") + args);
        EXPECT_EQ(r.status, 0) << args;
        EXPECT_EQ(r.err, notice ? "dpmtool: a.dpm: " + std::string(notice) + "\n" : "") << args;
        EXPECT_NE(m_dir.read("a.dpm"), before) << args; // each case changes the channel
    }
    Ok("set a.dpm ch2.rx=446,5");
    EXPECT_NE(JsonRow(Ok("show a.dpm --json"), "channels", 2).find("\"rx\": \"446.50000\""),
              std::string::npos);
    // A refused assignment saves nothing, so nothing is named as stored.
    const DpmResult refused = Run("set a.dpm ch2.rx=999 ch2.band=medium");
    EXPECT_EQ(refused.status, 2);
    EXPECT_EQ(refused.err.find("stored as"), std::string::npos) << refused.err;
}

TEST_F(DpmtoolTest, ShrinkingTheScanListResetsTheStoredScanType) {
    Ok("new a.dpm");
    Ok("set a.dpm ch1.rx=440 ch2.rx=441 scantype=1");
    EXPECT_EQ(static_cast<unsigned char>(m_dir.read("a.dpm")[48 + 0x3C5]), 0x00);
    Ok("set a.dpm ch1.scan=no");
    EXPECT_EQ(static_cast<unsigned char>(m_dir.read("a.dpm")[48 + 0x3C5]), 0xFF);
    Ok("set a.dpm ch1.scan=yes scantype=2 ch2.rx=");
    EXPECT_EQ(static_cast<unsigned char>(m_dir.read("a.dpm")[48 + 0x3C5]), 0xFF);
    // A scan type stored without a scan list (as a radio may hold it) is reset as the form
    // resets it when it shows the file.
    std::string bytes = m_dir.read("a.dpm");
    bytes[48 + 0x3C5] = 1;
    m_dir.write("a.dpm", bytes);
    Ok("set a.dpm beep=off");
    EXPECT_EQ(static_cast<unsigned char>(m_dir.read("a.dpm")[48 + 0x3C5]), 0xFF);
}

TEST_F(DpmtoolTest, ModelChangeErasesTheChannels) {
    Ok("new a.dpm");
    Ok("set a.dpm ch1.rx=440 model=2 squelch=7");
    EXPECT_NE(JsonRow(Ok("show a.dpm --json"), "channels", 1).find("440.00000"), std::string::npos);
    Ok("set a.dpm model=0");
    const std::string json = Ok("show a.dpm --json");
    EXPECT_EQ(JsonLine(json, "model"), "\"model\": 0,");
    EXPECT_EQ(JsonLine(json, "squelch"), "\"squelch\": {\"index\": 3, \"text\": \"3\"},");
    EXPECT_NE(JsonRow(json, "channels", 1).find("\"rx\": null"), std::string::npos);
}

TEST_F(DpmtoolTest, FileErrorsNameTheFileAndTheReason) {
    const DpmResult missing = Run("show missing.dpm");
    EXPECT_EQ(missing.status, 3);
    EXPECT_NE(missing.err.find("missing.dpm: cannot open the file: No such file or directory"),
              std::string::npos)
        << missing.err;
    m_dir.write("foreign.dpm", std::string(1072, 'x'));
    const DpmResult foreign = Run("set foreign.dpm squelch=1");
    EXPECT_EQ(foreign.status, 3);
    EXPECT_NE(foreign.err.find("foreign.dpm: not a data file of this program"), std::string::npos);
    EXPECT_EQ(m_dir.read("foreign.dpm"), std::string(1072, 'x'));
    Ok("new a.dpm");
    const DpmResult unwritable = Run("export a.dpm no/such/folder/out.csv");
    EXPECT_EQ(unwritable.status, 3);
    EXPECT_NE(unwritable.err.find("no/such/folder/out.csv: cannot write the file"),
              std::string::npos);
    std::filesystem::remove(m_dir.file("setting.ini"));
    const DpmResult noSettings = Run("show a.dpm");
    EXPECT_EQ(noSettings.status, 3);
    EXPECT_NE(noSettings.err.find("setting.ini"), std::string::npos);
}

TEST_F(DpmtoolTest, ShowTextUsesTheLanguageFile) {
    Ok("new a.dpm");
    Ok("set a.dpm ch1.rx=440.5");
    m_dir.write("lang_en.lng", "[String]\nIDS_NONE=None\nIDS_YES=Yes\nIDS_NO=No\nIDS_WIDE=Wide\n"
                               "[monikey]\n0=Off\n1=Monitor\n2=Momentary\n3=Squelch off\n"
                               "[Face]\nIDS_COL0=Ch\nIDS_COL1=Receive\nIDS_COL2=Tone\n");
    const std::string text = Ok("show a.dpm");
    EXPECT_NE(text.find("Ch  Receive    Tone    Tone"), std::string::npos) << text;
    EXPECT_NE(text.find("1   440.50000  None    440.50000  None    Yes     No      Wide    No\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("monitor   3 Squelch off\n"), std::string::npos);
}

TEST_F(DpmtoolTest, AlignmentValuesNeedTheDealerCode) {
    Ok("new a.dpm");
    const std::string before = m_dir.read("a.dpm");
    struct Refused {
        std::string args;
        std::string reason;
    };
    const Refused refused[] = {
        {"set a.dpm align.batterylow=200", "need the dealer access code (--dealer CODE)"},
        {"set a.dpm ch1.rx=446 manualadjust=on", "need the dealer access code"},
        {"set a.dpm --dealer 52918 align.batterylow=200", "a.dpm: the dealer access code is wrong"},
        {"set a.dpm --dealer=529170 ch1.rx=446", "the dealer access code is wrong"},
        {"show a.dpm --dealer 1234", "a.dpm: the dealer access code is wrong"},
        {"set a.dpm --dealer 52917 align.batterylow=256", "not a value from 0 to 255"},
        {"set a.dpm --dealer 52917 align.batterylow=-1", "not a value from 0 to 255"},
        {"set a.dpm --dealer 52917 align.battery=1", "unknown alignment value \"battery\""},
        {"set a.dpm --dealer 52917 manualadjust=maybe", "neither true (on) nor false (off)"},
    };
    for (const Refused& r : refused) {
        const DpmResult result = Run(r.args);
        EXPECT_EQ(result.status, 2) << r.args;
        EXPECT_NE(result.err.find(r.reason), std::string::npos) << r.args << "\n" << result.err;
        EXPECT_EQ(m_dir.read("a.dpm"), before) << r.args;
    }
    EXPECT_EQ(Run("set a.dpm align.sql9=1 --dealer").status, 1);
    // Without the code, show says nothing about them.
    EXPECT_EQ(Ok("show a.dpm --json").find("alignment"), std::string::npos);
    EXPECT_EQ(Ok("show a.dpm").find("align."), std::string::npos);
}

TEST_F(DpmtoolTest, AlignmentValuesShowAndSetWithTheDealerCode) {
    Ok("new a.dpm");
    std::string json = Ok("show a.dpm --json --dealer 52917");
    EXPECT_EQ(JsonLine(json, "manualAdjust"), "\"manualAdjust\": false,");
    EXPECT_EQ(JsonLine(json, "alignment"),
              "\"alignment\": {\"batterylow\": 255, \"sql9\": 255, \"sql3\": 255, \"power\": 255, "
              "\"widectc\": 255, \"widedcs\": 255, \"rxcenter\": 255, \"freq\": 255, "
              "\"narrowctc\": 255, \"narrowdcs\": 255, \"rxlow\": 255, \"rxhigh\": 255},");

    Ok("set a.dpm --dealer 52917 align.batterylow=200 align.RxHigh=0 manualadjust=on "
       "ch1.rx=446");
    const std::string image = m_dir.read("a.dpm").substr(48);
    EXPECT_EQ(static_cast<unsigned char>(image[0x3F0]), 0xC8);
    EXPECT_EQ(static_cast<unsigned char>(image[0x3FB]), 0);
    EXPECT_EQ(static_cast<unsigned char>(image[0x3F1]), 0xFF);
    EXPECT_EQ(static_cast<unsigned char>(image[0x3C4]) & 0x10, 0);

    json = Ok("show a.dpm --dealer=\" 0052917x\" --json");
    EXPECT_EQ(JsonLine(json, "manualAdjust"), "\"manualAdjust\": true,");
    EXPECT_NE(JsonLine(json, "alignment").find("{\"batterylow\": 200, \"sql9\": 255"),
              std::string::npos);
    EXPECT_NE(JsonLine(json, "alignment").find("\"rxhigh\": 0}"), std::string::npos);
    const std::string text = Ok("show a.dpm --dealer 52917");
    EXPECT_NE(text.find("manualadjust on\n"), std::string::npos);
    EXPECT_NE(text.find("align.batterylow 200\n"), std::string::npos);
}

// diff names each difference by its field down to channel 16 and test channel 16, shows an
// empty side by its marker, and writes JSON that parses, a comma between the entries.
TEST_F(DpmtoolTest, DiffNamesTheLastChannelsShowsEmptySidesAndWritesValidJson) {
    Ok("new a.dpm");
    Ok("new b.dpm");
    Ok("set b.dpm ch16.rx=446.5 test16.rx=440.5");
    const DpmResult text = Run("diff a.dpm b.dpm");
    EXPECT_EQ(text.status, 6) << text.err;
    EXPECT_EQ(text.out, "ch16 rx: a (empty), b 446.50000\n"
                        "ch16 rxtone: a (empty), b None\n"
                        "ch16 tx: a (empty), b 446.50000\n"
                        "ch16 txtone: a (empty), b None\n"
                        "ch16 scan: a (empty), b Yes\n"
                        "ch16 opt6: a (empty), b No\n"
                        "ch16 band: a (empty), b Wide\n"
                        "ch16 opt8: a (empty), b No\n"
                        "test16 rx: a (empty), b 440.50000\n"
                        "test16 rxtone: a (empty), b None\n");

    const DpmResult json = Run("diff a.dpm b.dpm --json");
    EXPECT_EQ(json.status, 6) << json.err;
    m_dir.write("diff.json", json.out);
    const DpmResult parsed = RunShell("exec python3 -m json.tool diff.json");
    EXPECT_EQ(parsed.status, 0) << json.out << parsed.err;
    EXPECT_NE(json.out.find("{\"name\": \"ch16 rx\", \"a\": null, \"b\": \"446.50000\"}"),
              std::string::npos)
        << json.out;
}

TEST_F(DpmtoolTest, DiffTakesExactlyTwoFiles) {
    Ok("new a.dpm");
    Ok("new b.dpm");
    for (const char* args : {"diff a.dpm", "diff a.dpm b.dpm a.dpm", "diff a.dpm b.dpm --frob"}) {
        const DpmResult r = Run(args);
        EXPECT_EQ(r.status, 1) << args;
        EXPECT_EQ(r.out, "") << args;
    }
}
