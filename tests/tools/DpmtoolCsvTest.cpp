#include "DpmtoolRun.h"

namespace {

const char* kHeader = "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,"
                      "DtcsPolarity,RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment\r\n";

// The "channels" array of show --json.
std::string Channels(const std::string& json) {
    const std::size_t from = json.find("\"channels\"");
    return json.substr(from, json.find("\"test\"") - from);
}

} // namespace

TEST_F(DpmtoolTest, ExportThenImportGivesTheSameChannels) {
    Ok("new a.dpm");
    Ok("set a.dpm ch1.rx=446.5 ch1.band=narrow ch1.opt6=yes ch1.opt8=yes "
       "ch2.rx=440.0125 ch2.tx=445 ch2.rxtone=D023I ch2.txtone=D023N "
       "ch3.rx=450 ch3.tx=440 ch3.rxtone=88.5 ch3.txtone=100 ch3.scan=no "
       "ch4.rx=460 ch4.txtone=D754N ch5.rx=461 ch5.rxtone=D031N ch6.rx=462 ch6.rxtone=67 "
       "ch7.rx=463 ch7.tx= ch7.rxtone=D026I ch9.rx=470.00625 ch9.txtone=123 "
       "ch10.rx=471 ch10.rxtone=D023N ch10.txtone=D025N ch16.rx=479.99");
    Ok("export a.dpm out.csv");
    const std::string csv = m_dir.read("out.csv");
    EXPECT_EQ(csv.rfind(kHeader, 0), 0u);
    EXPECT_NE(csv.find("\r\n1,,446.500000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,NFM,6.25,,,"
                       "opt6=yes opt8=yes\r\n"),
              std::string::npos)
        << csv;
    EXPECT_NE(csv.find("\r\n3,,450.000000,-,10.000000,Cross,100.0,88.5,"), std::string::npos);
    EXPECT_NE(csv.find("\r\n7,,463.000000,off,"), std::string::npos);
    EXPECT_EQ(csv.find("\r\n8,"), std::string::npos); // empty channels have no row

    Ok("new b.dpm");
    Ok("import b.dpm out.csv");
    EXPECT_EQ(Channels(Ok("show b.dpm --json")), Channels(Ok("show a.dpm --json")));
}

TEST_F(DpmtoolTest, ImportFollowsTheGridRules) {
    Ok("new a.dpm");
    m_dir.write("in.csv",
                std::string(kHeader) +
                    "1,,999.000000,,0.000000,,88.5,88.5,023,NN,023,,FM,5.00,,,\r\n"
                    "2,,440.002000,split,445.000000,TSQL,88.5,94.8,023,NN,023,,NFM,,S,,\r\n"
                    "3,\"Name, with comma\",441.000000,+,5.000000,Tone,123.0,88.5,023,NN,"
                    "023,,FM,,,,\r\n"
                    "4,,442.000000,,0,DTCS,88.5,88.5,754,RN,023,,FM,,,,\r\n"
                    "5,,443.000000,,0,Tone,300.0,88.5,023,NN,023,,FM,,,,\r\n");
    const DpmResult r = Run("import a.dpm in.csv");
    EXPECT_EQ(r.status, 0);
    // Every value the rules clamped or replaced is named, with its row's line.
    EXPECT_EQ(r.err, "dpmtool: in.csv: line 2: ch1.rx: 999.000000 is above the model's band, "
                     "stored as 480.00000\n"
                     "dpmtool: in.csv: line 2: ch1.tx: 999.000000 is above the model's band, "
                     "stored as 480.00000\n"
                     "dpmtool: in.csv: line 3: ch2.rx: 440.002000 is not on the channel raster "
                     "(6.25 kHz or 5 kHz steps), stored as 440.00000\n"
                     "dpmtool: in.csv: line 6: ch5.txtone: 300.0 is not a tone (CTCSS tones are "
                     "67.0 to 254.1 Hz), stored as 254.1\n");
    const std::string json = Ok("show a.dpm --json");
    EXPECT_NE(json.find("{\"rx\": \"480.00000\", \"rxtone\": \"none\", \"tx\": \"480.00000\""),
              std::string::npos);
    EXPECT_NE(json.find("{\"rx\": \"440.00000\", \"rxtone\": \"94.8\", \"tx\": \"445.00000\", "
                        "\"txtone\": \"94.8\", \"scan\": false, \"opt6\": false, \"band\": "
                        "\"narrow\""),
              std::string::npos)
        << json;
    EXPECT_NE(json.find("{\"rx\": \"441.00000\", \"rxtone\": \"none\", \"tx\": \"446.00000\", "
                        "\"txtone\": \"123.0\""),
              std::string::npos);
    EXPECT_NE(json.find("{\"rx\": \"442.00000\", \"rxtone\": \"D754N\", \"tx\": \"442.00000\", "
                        "\"txtone\": \"D754I\""),
              std::string::npos);
}

TEST_F(DpmtoolTest, ImportNamesTheRowsItCannotUse) {
    Ok("new a.dpm");
    m_dir.write("in.csv", std::string(kHeader) +
                              "17,,440.000000,,0,,88.5,88.5,023,NN,023,,FM,,,,\r\n"
                              "2,,abc,,0,,88.5,88.5,023,NN,023,,FM,,,,\r\n"
                              "\r\n"
                              "3,,440.000000,,0,,88.5,88.5,023,NN,023,,AM,,,,\r\n"
                              "4,,440.000000,,0,DTCS,88.5,88.5,089,NN,023,,FM,,,,\r\n"
                              "5,,440.000000,-,500,,88.5,88.5,023,NN,023,,FM,,,,\r\n"
                              "6,,440.000000\r\n"
                              "7,,447.000000,,0,,88.5,88.5,023,NN,023,,FM,,,,\r\n");
    const DpmResult r = Run("import a.dpm in.csv");
    EXPECT_EQ(r.status, 2);
    for (const char* line :
         {"in.csv: line 2: Location", "in.csv: line 3: Frequency", "in.csv: line 5: Mode",
          "in.csv: line 6: DtcsCode", "in.csv: line 7: Offset", "in.csv: line 8: the row has"}) {
        EXPECT_NE(r.err.find(line), std::string::npos) << line << "\n" << r.err;
    }
    EXPECT_NE(r.err.find("6 rows skipped; a.dpm saved with the 1 usable rows"), std::string::npos);
    const std::string json = Ok("show a.dpm --json");
    EXPECT_NE(json.find("\"rx\": \"447.00000\""), std::string::npos);
    EXPECT_EQ(json.find("\"rx\": \"440.00000\""), std::string::npos);
}

TEST_F(DpmtoolTest, ImportOfSomethingElseChangesNothing) {
    Ok("new a.dpm");
    Ok("set a.dpm ch1.rx=440");
    const std::string before = m_dir.read("a.dpm");
    m_dir.write("empty.csv", "");
    m_dir.write("other.csv", "Name,Phone\r\nAlice,123\r\n");
    m_dir.write("quote.csv", std::string(kHeader) + "1,\"open\r\n");
    m_dir.write("binary.csv", std::string("Location\0Frequency", 18));
    for (const char* file : {"empty.csv", "other.csv", "quote.csv", "binary.csv"}) {
        const DpmResult r = Run(std::string("import a.dpm ") + file);
        EXPECT_EQ(r.status, 2) << file;
        EXPECT_NE(r.err.find(std::string(file) + ": not a channel CSV file"), std::string::npos)
            << r.err;
        EXPECT_EQ(m_dir.read("a.dpm"), before);
    }
    const DpmResult missing = Run("import a.dpm missing.csv");
    EXPECT_EQ(missing.status, 3);
    EXPECT_NE(missing.err.find("missing.csv: cannot open the file"), std::string::npos);
}

TEST_F(DpmtoolTest, ARowWithoutDcsMayLeaveThePolarityEmpty) {
    Ok("new a.dpm");
    m_dir.write("in.csv", std::string(kHeader) +
                              "1,,440.000000,,0,,88.5,88.5,023,,023,,FM,,,,\r\n"
                              "2,,441.000000,,0,TSQL,88.5,100.0,023,,023,,FM,,,,\r\n"
                              "3,,442.000000,,0,DTCS,88.5,88.5,023,,023,,FM,,,,\r\n");
    const DpmResult r = Run("import a.dpm in.csv");
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("in.csv: line 4: DtcsPolarity"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("1 rows skipped; a.dpm saved with the 2 usable rows"), std::string::npos)
        << r.err;
    const std::string json = Ok("show a.dpm --json");
    EXPECT_NE(json.find("\"rx\": \"440.00000\""), std::string::npos);
    EXPECT_NE(json.find("\"rx\": \"441.00000\", \"rxtone\": \"100.0\""), std::string::npos) << json;
}
