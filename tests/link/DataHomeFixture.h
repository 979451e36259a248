// A test whose user data folder (backups, history) is a temporary folder: XDG_DATA_HOME
// points into it for the length of the test.
#pragma once

#include "TempDir.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

class DataHomeFixture : public ::testing::Test {
protected:
    void SetUp() override {
        const char* old = std::getenv("XDG_DATA_HOME");
        m_bHadOld = old != nullptr;
        m_strOld = m_bHadOld ? old : "";
        ::setenv("XDG_DATA_HOME", m_home.path().c_str(), 1);
    }
    void TearDown() override {
        if (m_bHadOld) {
            ::setenv("XDG_DATA_HOME", m_strOld.c_str(), 1);
        } else {
            ::unsetenv("XDG_DATA_HOME");
        }
    }
    std::string DataFile(const std::string& name) const { return m_home.file("DromelPgm/" + name); }

    TempDir m_home;

private:
    bool m_bHadOld = false;
    std::string m_strOld;
};
