// Shared set-up of the link tests: the link tests' settings file and the tests' language
// file in a temporary folder, radio images with a different byte at every address, and the
// radio's byte trace.
#pragma once

#include "ProgramFolder.h"
#include "SimRadioProcess.h"
#include "app/AppPaths.h"
#include "app/LangString.h"
#include "link/CommPort.h"
#include "link/Protocol.h"
#include "radio/DromelPgmDoc.h"

#include <array>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

using Image = MemoryImage;

struct TraceEntry {
    long long micros;
    std::string dir;
    int byte;
};

class LinkFixture : public ::testing::Test {
protected:
    void SetUp() override { m_dir.MakeCurrent(); }

    // The settings file: port 1, two models, and the given [ports] lines.
    void WriteSettings(const std::string& ports) {
        m_dir.Install("link_setting.ini", "setting.ini", "[ports]\n" + ports + "\n");
    }

    // The cable to device: a link in the test folder, which the settings name for a port.
    // Once a terminal has ended, its number is free for the next terminal of any program,
    // another test's too, so a port that must find its device gone is mapped through the
    // cable and the cable is pulled (Unplug), as a device that goes away takes its name along.
    std::string Cable(const std::string& device) {
        const std::string link = m_dir.file("cable");
        std::filesystem::remove(link);
        std::filesystem::create_symlink(device, link);
        return link;
    }
    void Unplug() { std::filesystem::remove(m_dir.file("cable")); }

    // An image whose bytes differ from block to block; seed makes two images differ.
    static Image Pattern(int seed) {
        Image image;
        for (std::size_t i = 0; i < kImageSize; ++i) {
            image[i] = static_cast<std::uint8_t>((i * 7 + i / 8 + seed) & 0xFF);
        }
        return image;
    }

    std::string WriteImage(const std::string& name, const Image& image) {
        return m_dir.write(name, std::string(image.begin(), image.end()));
    }

    // A text of the language file dpmtool uses (the one shipped beside it), its %s filled in.
    static std::string ShippedText(const std::string& key,
                                   std::initializer_list<std::string> args = {}) {
        SetAppDir(DROMEL_BIN_DIR);
        SetLanguageName("lang_en");
        return FormatLangString(key, args);
    }

    // The memory a radio saved with --save (a .dpm file: 48 header bytes, then the image).
    Image SavedImage(const std::string& name) {
        std::string data = m_dir.read(name);
        Image image{};
        if (data.size() == 48 + kImageSize) {
            std::copy(data.begin() + 48, data.end(), image.begin());
        }
        return image;
    }

    std::vector<TraceEntry> Trace(const std::string& name) {
        std::vector<TraceEntry> entries;
        std::istringstream in(m_dir.read(name));
        std::string line;
        while (std::getline(in, line)) {
            std::istringstream fields(line);
            TraceEntry e;
            std::string hex;
            fields >> e.micros >> e.dir >> hex;
            e.byte = std::stoi(hex, nullptr, 16);
            entries.push_back(e);
        }
        return entries;
    }

    // The bytes the radio received, in order.
    std::vector<int> Received(const std::string& traceName) {
        std::vector<int> bytes;
        for (const TraceEntry& e : Trace(traceName)) {
            if (e.dir == "rx") {
                bytes.push_back(e.byte);
            }
        }
        return bytes;
    }

    // The bytes received in a port's own trace.
    static int CountReceived(const std::string& trace) {
        int count = 0;
        for (std::size_t at = trace.find(" rx "); at != std::string::npos;
             at = trace.find(" rx ", at + 1)) {
            ++count;
        }
        return count;
    }

    static int CountSequence(const std::vector<int>& bytes, const std::vector<int>& seq) {
        int count = 0;
        for (std::size_t i = 0; i + seq.size() <= bytes.size(); ++i) {
            if (std::equal(seq.begin(), seq.end(), bytes.begin() + i)) {
                ++count;
            }
        }
        return count;
    }

    ProgramFolder m_dir{"link_setting.ini"};
};
