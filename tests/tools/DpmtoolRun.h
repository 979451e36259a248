// Runs a copy of the built dpmtool from a temporary folder of its own, beside the tests'
// settings file and language file.
#pragma once

#include "DpmtoolRunner.h"
#include "ProgramFolder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>

class DpmtoolTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::copy_file(DpmtoolRunner::kBuilt, m_dir.file("dpmtool"));
    }

    // Runs dpmtool with arguments (already quoted for the shell) in the test folder.
    DpmResult Run(const std::string& args) { return m_run.Run(args, "./dpmtool"); }

    // Runs a shell command line in the test folder; its status and what it wrote.
    DpmResult RunShell(const std::string& command) { return m_run.RunShell(command); }

    // Runs a command that must succeed.
    std::string Ok(const std::string& args) {
        const DpmResult r = Run(args);
        EXPECT_EQ(r.status, 0) << args << "\n" << r.err;
        return r.out;
    }

    ProgramFolder m_dir;
    DpmtoolRunner m_run{m_dir};
};
