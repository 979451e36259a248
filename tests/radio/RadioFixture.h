// A temporary program folder with the tests' settings file and language file, made the
// ones in force for the duration of a test.
#pragma once

#include "app/AppPaths.h"
#include "radio/DromelPgmDoc.h"

#include "ProgramFolder.h"

#include <gtest/gtest.h>

// Four models: 0 VHF, 1 and 2 UHF, 3 without limits (tests/data/setting.ini).
class RadioTest : public ::testing::Test {
protected:
    void SetUp() override { m_dir.MakeCurrent(); }

    ProgramFolder m_dir;
};
