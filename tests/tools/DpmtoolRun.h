// Runs the built dpmtool from a temporary folder of its own, beside the tests' settings file
// and language file.
#pragma once

#include "ChildProcess.h"
#include "ProgramFolder.h"
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

class DpmtoolTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::copy_file(DROMEL_BIN_DIR "/dpmtool", m_dir.file("dpmtool"));
    }

    // Runs dpmtool with arguments (already quoted for the shell) in the test folder.
    DpmResult Run(const std::string& args) {
        return RunShell("exec env -u LC_ALL -u LC_MESSAGES LANG=C ./dpmtool " + args);
    }

    // Runs a shell command line in the test folder; its status and what it wrote.
    DpmResult RunShell(const std::string& command) {
        DpmResult result;
        result.status = RunShellChild("cd '" + m_dir.path() + "' && " + command,
                                      m_dir.file("stdout.txt"), m_dir.file("stderr.txt"));
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

    ProgramFolder m_dir;
};
