// A temporary program folder with its own settings file and language file, made the ones in
// force for the duration of a test.
#pragma once

#include "app/AppPaths.h"
#include "radio/DromelPgmDoc.h"

#include "TempDir.h"

#include <gtest/gtest.h>

// Four models: 0 VHF, 1 and 2 UHF, 3 without limits.
inline const char* kTestSettings = "[setup]\n"
                                   "ctcdcs=13\n"
                                   "[model]\n"
                                   "model0=4D56313656000000\n"
                                   "value0=000102030405060708090A0B0C0D0E0F\n"
                                   "freq0=00004017000060130000000000000000\n"
                                   "fdisp0=MV-16V 136-174\n"
                                   "model1=4D56313655000000\n"
                                   "value1=101112131415161718191A1B1C1D1E1F\n"
                                   "freq1=00000047000000400000000000000000\n"
                                   "fdisp1=MV-16U 400-470\n"
                                   "model2=4d5631365545000a\n"
                                   "value2=202122232425262728292a2b2c2d2e2f\n"
                                   "freq2=00000048000000400000000000000000\n"
                                   "fdisp2=MV-16UE 400-480\n"
                                   "model3=4D56313658000000\n"
                                   "value3=303132333435363738393A3B3C3D3E3F\n"
                                   "fdisp3=MV-16X\n";

inline const char* kTestLanguage = "[String]\n"
                                   "IDS_NONE=None\n"
                                   "IDS_OFF=Off\n"
                                   "IDS_YES=Yes\n"
                                   "IDS_NO=No\n"
                                   "IDS_WIDE=Wide\n"
                                   "IDS_NARROW=Narrow\n"
                                   "IDS_PROMPT=Prompt\n"
                                   "IDS_ERROR=Error\n"
                                   "IDS_WARN_CLEAR=Clear all data?\n"
                                   "IDS_WARN_LOAD=Not a data file of this program.\n"
                                   "IDS_WARN_SAVE=Overwrite the file \n"
                                   "IDS_SAVE_CHANGES=Save changes to %s?\n"
                                   "IDS_ERROR_OPEN=Cannot open the file %s: %s\n"
                                   "IDS_ERROR_SAVE=Cannot save the file %s: %s\n"
                                   "[monikey]\n0=Off\n1=Monitor\n2=Momentary\n3=Squelch off\n"
                                   "4=Call\n"
                                   "[SCANTYPE]\n0=No scan\n1=Time\n2=Carrier\n"
                                   "[REVERTCH]\n0=Selected\n1=Priority\n";

class RadioTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetAppDir(m_dir.path());
        m_dir.write("setting.ini", kTestSettings);
        m_dir.write("lang_en.lng", kTestLanguage);
        SetLanguageName("lang_en");
    }

    TempDir m_dir;
};
