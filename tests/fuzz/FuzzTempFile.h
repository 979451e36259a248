// A scratch folder for the fuzz targets that go through files, made once per process.
#pragma once

#include <cstdlib>
#include <string>

inline const std::string& FuzzFolder() {
    static const std::string folder = [] {
        const char* base = std::getenv("TMPDIR");
        std::string pattern = std::string(base && *base ? base : "/tmp") + "/dromel-fuzz-XXXXXX";
        if (::mkdtemp(pattern.data()) == nullptr) {
            std::abort();
        }
        return pattern;
    }();
    return folder;
}

inline std::string FuzzPath(const std::string& name) {
    return FuzzFolder() + "/" + name;
}
