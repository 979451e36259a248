#include "DiffOutput.h"

#include "DpmCommand.h"
#include "JsonValue.h"
#include "app/JsonText.h"

#include <iostream>

namespace {

// An empty field shows as "(empty)" so that the line still reads.
std::string Shown(const std::string& text) {
    return text.empty() ? "(empty)" : text;
}

} // namespace

std::string DiffText(const std::vector<FieldDiff>& diffs, const std::string& a,
                     const std::string& b) {
    std::string out;
    for (const FieldDiff& d : diffs) {
        if (d.valuesShown) {
            out += d.name + ": " + a + " " + Shown(d.a) + ", " + b + " " + Shown(d.b) + "\n";
        } else {
            out += d.name + ": differ\n";
        }
    }
    return out;
}

std::string DiffJson(const std::vector<FieldDiff>& diffs, const std::string& a,
                     const std::string& b) {
    std::string out = "{\n  \"equal\": ";
    out += diffs.empty() ? "true" : "false";
    out += ",\n  \"differences\": [";
    for (std::size_t i = 0; i < diffs.size(); ++i) {
        const FieldDiff& d = diffs[i];
        out += i == 0 ? "\n    {" : ",\n    {";
        out += "\"name\": " + JsonString(d.name);
        if (d.valuesShown) {
            out += ", " + JsonString(a) + ": " + JsonValue(d.aWord) + ", " + JsonString(b) + ": " +
                   JsonValue(d.bWord);
            // An option or the model by its number: its text beside, for people.
            if (d.aWord.type == EKeywordType::kNumber && d.a != d.aWord.word) {
                out += ", \"text\": {" + JsonString(a) + ": " + JsonString(d.a) + ", " +
                       JsonString(b) + ": " + JsonString(d.b) + "}";
            }
        } else {
            out += ", \"differ\": true";
        }
        out += "}";
    }
    out += diffs.empty() ? "]\n}\n" : "\n  ]\n}\n";
    return out;
}

int PrintDiffs(const std::vector<FieldDiff>& diffs, bool json, const std::string& a,
               const std::string& b) {
    std::cout << (json ? DiffJson(diffs, a, b) : DiffText(diffs, a, b));
    return diffs.empty() ? kExitOk : kExitDifferent;
}
