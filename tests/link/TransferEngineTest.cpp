#include "link/TransferEngine.h"
#include "LinkFixture.h"
#include "PtyPeer.h"

#include <atomic>
#include <sstream>
#include <thread>

namespace {

class TransferEngineTest : public LinkFixture {
protected:
    void StartRadio(const Image& radioImage, std::vector<std::string> options = {},
                    bool bFast = true) {
        if (bFast) {
            options.push_back("--fast");
        }
        options.insert(options.end(),
                       {"--image", WriteImage("radio.bin", radioImage), "--trace",
                        m_dir.file("radio.trace"), "--save", m_dir.file("radio.dpm")});
        m_radio = std::make_unique<SimRadioProcess>(options);
        ASSERT_FALSE(m_radio->Path().empty());
        WriteSettings("com1=" + Cable(m_radio->Path()));
    }
    // Ticks until the transfer ends or gives up.
    TickResult Run(CTransferEngine& engine) {
        TickResult result;
        while ((result = engine.Tick()) == TickRunning) {
        }
        return result;
    }

    void SetUp() override {
        LinkFixture::SetUp();
        m_doc.NewDocument();
        m_doc.ReplaceImage(Pattern(50));
        m_doc.FindModel();
        m_doc.AddViewObserver([this] { ++m_nRefreshed; });
    }

    CCommPort m_port;
    std::unique_ptr<SimRadioProcess> m_radio;
    CDromelPgmDoc m_doc;
    int m_nRefreshed = 0;
};

TEST_F(TransferEngineTest, FullReadFillsTheDocumentAndRefreshesIt) {
    Image radio = Pattern(3);
    const std::uint8_t model1[] = {0x44, 0x52, 0x31, 0x36, 0x30, 0x55, 0x00, 0x00};
    std::copy(std::begin(model1), std::end(model1), radio.begin() + 0x3D0);
    StartRadio(radio);
    ASSERT_EQ(m_doc.GetModel(), -1);
    m_doc.SetModifiedFlag(false);
    CTransferEngine engine(m_port, true, m_doc);
    ASSERT_EQ(engine.Start([] { return false; }), LinkReady);
    EXPECT_EQ(engine.Status(), "Reading data");
    std::vector<int> positions;
    TickResult result;
    while ((result = engine.Tick()) == TickRunning) {
        positions.push_back(engine.ProgressPos());
        EXPECT_EQ(m_nRefreshed, 0);
        if (engine.Address() == 464) {
            EXPECT_EQ(engine.Status(), "Reading data 45%");
        }
    }
    EXPECT_EQ(result, TickDone);
    EXPECT_EQ(m_doc.Image(), radio);
    EXPECT_EQ(m_nRefreshed, 1);
    EXPECT_EQ(m_doc.GetModel(), 1);
    EXPECT_EQ(m_doc.GetFreqLow(), 40000000);
    EXPECT_FALSE(m_doc.IsModified());
    EXPECT_EQ(engine.Status(), "Reading data 100%");
    ASSERT_EQ(positions.size(), 128u);
    EXPECT_EQ(positions.front(), 8);
    EXPECT_EQ(positions.back(), 1024);
    // The tick that finds the end address sends nothing more.
    m_radio->Stop();
    std::vector<int> received = Received("radio.trace");
    EXPECT_EQ(CountSequence(received, {0x52, 0x03, 0xF8, 0x08}), 1);
    EXPECT_EQ(received.back(), 0x06);
}

TEST_F(TransferEngineTest, FullWriteLeavesTheRadiosTopBytesAlone) {
    Image radio = Pattern(3);
    m_doc.ReplaceImage(radio);
    for (int i = 0; i < 0x350; ++i) {
        m_doc.SetByte(i, static_cast<std::uint8_t>(~radio[i]));
    }
    for (std::size_t i = 0x3D8; i < kImageSize; ++i) {
        m_doc.SetByte(i, 0xA5);
    }
    Image docBefore = m_doc.Image();
    StartRadio(radio);
    CTransferEngine engine(m_port, false, m_doc);
    ASSERT_EQ(engine.Start([] { return false; }), LinkReady);
    EXPECT_EQ(engine.Status(), "Writing data");
    TickResult result;
    while ((result = engine.Tick()) == TickRunning) {
        if (engine.Address() == 496) {
            EXPECT_EQ(engine.Status(), "Writing data 50%");
            EXPECT_EQ(engine.ProgressPos(), 516);
        }
    }
    EXPECT_EQ(result, TickDone);
    EXPECT_EQ(engine.Address(), 984);
    EXPECT_EQ(engine.Status(), "Writing data 100%");
    EXPECT_EQ(engine.ProgressPos(), 1024);
    EXPECT_EQ(m_doc.Image(), docBefore);
    EXPECT_EQ(m_nRefreshed, 0);
    ASSERT_EQ(m_radio->Stop(), 0);
    Image saved = SavedImage("radio.dpm");
    EXPECT_TRUE(std::equal(saved.begin(), saved.begin() + 0x3D8, m_doc.Image().begin()));
    EXPECT_TRUE(std::equal(saved.begin() + 0x3D8, saved.end(), radio.begin() + 0x3D8));
}

TEST_F(TransferEngineTest, WriteMismatchAnsweredYesWritesTheUnchangedImage) {
    Image radio = Pattern(3);
    StartRadio(radio, {"--wrong-id"});
    int asked = 0;
    CTransferEngine engine(m_port, false, m_doc);
    ASSERT_EQ(engine.Start([&] { return ++asked > 0; }), LinkReady);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(Run(engine), TickDone);
    m_radio->Stop();
    Image saved = SavedImage("radio.dpm");
    EXPECT_TRUE(std::equal(saved.begin(), saved.begin() + 0x3D8, m_doc.Image().begin()));
}

TEST_F(TransferEngineTest, WriteMismatchAnsweredNoWritesNothing) {
    Image radio = Pattern(3);
    StartRadio(radio, {"--wrong-id"});
    CTransferEngine engine(m_port, false, m_doc);
    EXPECT_EQ(engine.Start([] { return false; }), LinkCancelled);
    m_radio->Stop();
    EXPECT_EQ(SavedImage("radio.dpm"), radio);
    EXPECT_EQ(CountSequence(Received("radio.trace"), {0x57}), 0);
}

TEST_F(TransferEngineTest, SilentRadioGetsFiveTriesThenRestartBeginsAgainAtZero) {
    Image radio = Pattern(3);
    StartRadio(radio, {"--silent-after", "10"});
    Image docBefore = m_doc.Image();
    CTransferEngine engine(m_port, true, m_doc);
    ASSERT_EQ(engine.Start([] { return false; }), LinkReady);
    EXPECT_EQ(Run(engine), TickGaveUp);
    EXPECT_EQ(engine.Address(), 80);
    EXPECT_EQ(engine.Status(), "Read failed");
    EXPECT_EQ(m_doc.Image(), docBefore);
    EXPECT_EQ(m_nRefreshed, 0);
    EXPECT_TRUE(m_port.IsOpen());

    // The radio answers again once it hears PROGRAM; the restart reads everything anew.
    ASSERT_EQ(engine.Start([] { return false; }), LinkReady);
    EXPECT_EQ(engine.Address(), 0);
    EXPECT_EQ(Run(engine), TickDone);
    EXPECT_EQ(m_doc.Image(), radio);
    m_radio->Stop();
    std::vector<int> received = Received("radio.trace");
    EXPECT_EQ(CountSequence(received, {0x52, 0x00, 0x50, 0x08}), 5 + 1);
    EXPECT_EQ(CountSequence(received, {0x52, 0x00, 0x00, 0x08}), 2);
}

TEST_F(TransferEngineTest, RefusedBlockGivesUpTheWrite) {
    StartRadio(Pattern(3), {"--nak-block", "0x100"});
    CTransferEngine engine(m_port, false, m_doc);
    ASSERT_EQ(engine.Start([] { return true; }), LinkReady);
    EXPECT_EQ(Run(engine), TickGaveUp);
    EXPECT_EQ(engine.Address(), 0x100);
    EXPECT_EQ(engine.Status(), "Write failed");
}

TEST_F(TransferEngineTest, OccasionalBadFramesAreRetried) {
    Image radio = Pattern(3);
    StartRadio(radio, {"--drop-every", "7", "--wrong-address", "20", "--wrong-length", "30"});
    CTransferEngine engine(m_port, true, m_doc);
    ASSERT_EQ(engine.Start([] { return false; }), LinkReady);
    EXPECT_EQ(Run(engine), TickDone);
    EXPECT_EQ(m_doc.Image(), radio);
}

TEST_F(TransferEngineTest, HangUpMidReadLeavesTheDocumentAsItWas) {
    StartRadio(Pattern(3), {"--hangup-after", "40"});
    Image docBefore = m_doc.Image();
    CTransferEngine engine(m_port, true, m_doc);
    ASSERT_EQ(engine.Start([] { return false; }), LinkReady);
    EXPECT_EQ(Run(engine), TickGaveUp);
    EXPECT_EQ(engine.Address(), 40 * 8);
    EXPECT_EQ(m_doc.Image(), docBefore);
    EXPECT_EQ(m_nRefreshed, 0);
    EXPECT_FALSE(m_port.IsOpen());
    // The next start finds the device gone and says so.
    Unplug();
    EXPECT_EQ(engine.Start([] { return false; }), LinkPortFailed);
}

TEST_F(TransferEngineTest, RadioWithoutImageHoldsAModelTwoRadioInUse) {
    m_radio = std::make_unique<SimRadioProcess>(std::vector<std::string>{"--fast"});
    ASSERT_FALSE(m_radio->Path().empty());
    ASSERT_TRUE(m_port.OpenDevice(m_radio->Path(), 9600));
    CTransferEngine engine(m_port, true, m_doc);
    ASSERT_EQ(engine.Start([] { return false; }), LinkReady);
    EXPECT_EQ(Run(engine), TickDone);

    SetAppDir(DROMEL_BIN_DIR); // the model table shipped beside radiosim
    m_doc.FindModel();
    EXPECT_EQ(m_doc.GetModel(), 2);
    int channels = 0;
    int tones = 0;
    for (int n = 1; n <= kChannelCount; ++n) {
        channels += m_doc.IsRxEmpty(n) ? 0 : 1;
        tones += m_doc.GetToneText(n, false).empty() ? 0 : 1;
    }
    EXPECT_GE(channels, 4);
    EXPECT_GE(tones, 2);
    EXPECT_TRUE(m_doc.HasScanList());
    EXPECT_NE(m_doc.GetScanType(), 0);
    EXPECT_FALSE(m_doc.IsRxEmpty(kFirstTestChannel));
    CDromelPgmDoc fresh;
    fresh.NewDocument();
    EXPECT_NE(m_doc.GetSquelchLevel(), fresh.GetSquelchLevel());
}

TEST_F(TransferEngineTest, FailedStartsMapToTheirMessages) {
    EXPECT_EQ(LinkErrorKey(LinkPortFailed), "IDS_ERROR_PORTOPEN");
    EXPECT_EQ(LinkErrorKey(LinkNoConnection), "IDS_ERROR_PORTCONN");
    EXPECT_EQ(LinkErrorKey(LinkWrongReply), "IDS_ERROR_TYPE");
    EXPECT_EQ(LinkErrorKey(LinkCancelled), "");
    EXPECT_EQ(LinkErrorKey(LinkReady), "");
}

// A radio at the real line speed whose third frame stalls halfway: the tail is let pass and
// the retry reads the block, so the read completes with the radio's exact memory.
TEST_F(TransferEngineTest, ReadWithOneStalledFrameCompletes) {
    const Image radio = Pattern(3);
    StartRadio(radio, {"--late-frame", "3"}, false);
    CTransferEngine engine(m_port, true, m_doc);
    ASSERT_EQ(engine.Start([] { return false; }), LinkReady);
    EXPECT_EQ(Run(engine), TickDone);
    EXPECT_EQ(m_doc.Image(), radio);
}

// A device that sends without pause once the blocks begin: no exchange listens to more
// than a 9600-baud line carries within its time bound (twelve frame windows and one answer
// window, 0.65 s), and the read gives up after five attempts with the document untouched.
TEST_F(TransferEngineTest, ContinuousSenderEndsEveryExchangeAndTheReadFails) {
    PtyPeer peer;
    ASSERT_TRUE(m_port.OpenDevice(peer.path, 9600));
    std::ostringstream trace;
    m_port.SetTrace(&trace);
    std::atomic<bool> stop{false};
    std::thread radio([&] {
        EXPECT_EQ(peer.Take(7), "PROGRAM");
        peer.Send({0x06});
        EXPECT_EQ(peer.Take(1), "\x02");
        peer.Send({1, 2, 3, 4, 5, 6, 7, 8});
        EXPECT_EQ(peer.Take(1), "\x06");
        peer.Send({0x06});
        EXPECT_EQ(peer.Take(4), std::string("R\x00\x00\x08", 4));
        peer.Babble(0x55, stop, 8 << 20);
    });
    const Image docBefore = m_doc.Image();
    CTransferEngine engine(m_port, true, m_doc);
    const LinkResult start = engine.Start([] { return false; });
    std::vector<int> perExchange;
    TickResult result = TickGaveUp;
    if (start == LinkReady) {
        auto received = [&] { return CountReceived(trace.str()); };
        int before = received();
        while ((result = engine.Tick()) == TickRunning) {
            const int now = received();
            perExchange.push_back(now - before);
            before = now;
        }
    }
    stop = true;
    radio.join();
    ASSERT_EQ(start, LinkReady);
    EXPECT_EQ(result, TickGaveUp);
    EXPECT_EQ(engine.Address(), 0);
    EXPECT_EQ(perExchange.size(), 5u);
    // 0.65 s at 9600 baud, 11 bits a byte, and 0.1 s for a quiet line before the request
    const int lineBytes = 7500 * 9600 / 11 / 10000;
    for (int n : perExchange) {
        EXPECT_LE(n, lineBytes);
    }
    EXPECT_EQ(m_doc.Image(), docBefore);
    EXPECT_EQ(m_nRefreshed, 0);
}

TEST(TransferStatusTest, NumberOfThePreviousTickIsReplaced) {
    EXPECT_EQ(FormatTransferStatus("Reading data", 0), "Reading data 0%");
    EXPECT_EQ(FormatTransferStatus("Reading data 0%", 45), "Reading data 45%");
    // A digit in the prompt itself cuts it there, together with the character before it.
    EXPECT_EQ(FormatTransferStatus("Step 2 of reading", 3), "Step 3%");
    EXPECT_EQ(FormatTransferStatus("2 go", 7), " 7%");
    EXPECT_EQ(FormatTransferStatus("", 100), " 100%");
}

} // namespace
