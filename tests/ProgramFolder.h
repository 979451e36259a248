// A temporary program folder holding the settings file and the language file the tests
// share, copied from tests/data. Tests that run inside this process make it the folder in
// force; tests that start a program copy that program beside the files.
#pragma once

#include "app/AppPaths.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

class ProgramFolder : public TempDir {
public:
    // settings names the file of tests/data that becomes setting.ini.
    explicit ProgramFolder(const std::string& settings = "setting.ini") {
        Install(settings, "setting.ini");
        Install("lang_en.lng", "lang_en.lng");
    }

    // The folder becomes the program's folder and English its language.
    void MakeCurrent() const {
        SetAppDir(path());
        SetLanguageName("lang_en");
    }

    // Copies the file data of tests/data into the folder as name, with extra appended.
    std::string Install(const std::string& data, const std::string& name,
                        const std::string& extra = "") const {
        return write(name, Data(data) + extra);
    }

    // The text of the file name of tests/data.
    static std::string Data(const std::string& name) {
        std::ifstream in(std::string(DROMEL_SOURCE_DIR) + "/tests/data/" + name, std::ios::binary);
        if (!in) {
            ADD_FAILURE() << "tests/data/" << name << " cannot be read";
        }
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
};
