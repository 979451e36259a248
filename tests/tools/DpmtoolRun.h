// Runs the built dpmtool from a temporary folder of its own, beside a settings file and a
// language file written by the test.
#pragma once

#include "ChildProcess.h"
#include "TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <sys/wait.h>

struct DpmResult {
    int status = -1;
    std::string out;
    std::string err;
};

inline const char* kToolSettings = "[setup]\n"
                                   "ctcdcs=13\n"
                                   "[model]\n"
                                   "fdisp0=V 136-174\n"
                                   "model0=4D56313656000000\n"
                                   "value0=000102030405060708090A0B0C0D0E0F\n"
                                   "freq0=00004017000060130000000000000000\n"
                                   "fdisp1=U 400-470\n"
                                   "model1=4D56313655000000\n"
                                   "value1=101112131415161718191A1B1C1D1E1F\n"
                                   "freq1=00000047000000400000000000000000\n"
                                   "fdisp2=U 430-480\n"
                                   "model2=4D5631365545000A\n"
                                   "value2=202122232425262728292A2B2C2D2E2F\n"
                                   "freq2=00000048000000430000000000000000\n";

inline const char* kToolLanguage = "[String]\n"
                                   "IDS_NONE=None\nIDS_OFF=Off\nIDS_YES=Yes\nIDS_NO=No\n"
                                   "IDS_WIDE=Wide\nIDS_NARROW=Narrow\n"
                                   "[monikey]\n0=Off\n1=Monitor\n2=Momentary\n3=Squelch off\n"
                                   "4=Call\n"
                                   "[SCANTYPE]\n0=No scan\n1=Time\n2=Carrier\n";

class DpmtoolTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::copy_file(DROMEL_BIN_DIR "/dpmtool", m_dir.file("dpmtool"));
        m_dir.write("setting.ini", kToolSettings);
        m_dir.write("lang_en.lng", kToolLanguage);
    }

    // Runs dpmtool with arguments (already quoted for the shell) in the test folder.
    DpmResult Run(const std::string& args) {
        const std::string command = "cd '" + m_dir.path() +
                                    "' && exec env -u LC_ALL -u LC_MESSAGES LANG=C ./dpmtool " +
                                    args;
        DpmResult result;
        result.status = RunShellChild(command, m_dir.file("stdout.txt"), m_dir.file("stderr.txt"));
        result.out = m_dir.read("stdout.txt");
        result.err = m_dir.read("stderr.txt");
        return result;
    }

    // Runs a command that must succeed.
    std::string Ok(const std::string& args) {
        const DpmResult r = Run(args);
        EXPECT_EQ(r.status, 0) << args << "\n" << r.err;
        return r.out;
    }

    TempDir m_dir;
};
