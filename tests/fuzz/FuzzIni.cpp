// The INI reader and writer on arbitrary files: every value read is valid UTF-8 and cut to
// its buffer, and writing one key keeps every other line byte for byte, each with its own
// line end, and reads back as written.
#include "FuzzTempFile.h"

#include "app/AsciiText.h"
#include "app/AtomicFile.h"
#include "app/Profile.h"
#include "app/TextEncoding.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

struct RawLine {
    std::string text;
    std::string eol;
};

std::vector<RawLine> SplitRaw(const std::string& content) {
    std::vector<RawLine> lines;
    std::size_t pos = 0;
    while (pos < content.size()) {
        const std::size_t end = content.find('\n', pos);
        RawLine line;
        line.text = content.substr(pos, end == std::string::npos ? end : end - pos);
        if (end != std::string::npos) {
            line.eol = "\n";
            if (!line.text.empty() && line.text.back() == '\r') {
                line.text.pop_back();
                line.eol = "\r\n";
            }
        }
        lines.push_back(line);
        if (end == std::string::npos) {
            break;
        }
        pos = end + 1;
    }
    return lines;
}

std::string Unquote(const std::string& value) {
    std::string v = Trim(value);
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
        v = v.substr(1, v.size() - 2);
    }
    return v;
}

// A section or key name the writer can place: letters and digits only.
std::string Name(FuzzedDataProvider& data) {
    std::string name = data.ConsumeRandomLengthString(8);
    std::string out;
    for (char c : name) {
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) {
            out += c;
        }
    }
    return out.empty() ? std::string("k") : out;
}

// Every value of the file, looked up by the names its own lines give, is valid UTF-8 and
// no longer than the buffer allows.
void CheckLookups(const std::string& content, const std::string& path, std::size_t buffer) {
    std::string section;
    int looked = 0;
    for (const RawLine& line : SplitRaw(content)) {
        const std::string t = Trim(line.text);
        if (t.empty() || t[0] == ';') {
            continue;
        }
        if (t[0] == '[') {
            section = t.substr(1, t.find(']') == std::string::npos ? t.npos : t.find(']') - 1);
            continue;
        }
        const std::size_t eq = t.find('=');
        if (eq == std::string::npos || ++looked > 16) {
            continue;
        }
        const std::string value =
            GetPrivateProfileString(section, t.substr(0, eq), "", buffer, path);
        Require(IsValidUtf8(value));
        Require(buffer == 0 ? value.empty() : value.size() <= buffer - 1);
    }
}

// Every line of before is in after, in order and byte for byte, apart from one place: the
// key line replaced by entry (with its own line end), or at most three lines added there (a
// blank line, the section and the entry). A last line without a line end may gain one.
void CheckLinesKept(const std::string& before, const std::string& after, const std::string& entry,
                    const std::string& sectionLine) {
    const std::vector<RawLine> old = SplitRaw(before);
    const std::vector<RawLine> now = SplitRaw(after);
    const auto kept = [&](std::size_t i, std::size_t j) {
        if (i + 1 == old.size() && old[i].eol.empty()) {
            // A last line ending in CR that gains an LF reads as a line ending in CRLF.
            return (now[j].text + now[j].eol).rfind(old[i].text, 0) == 0;
        }
        return old[i].text == now[j].text && old[i].eol == now[j].eol;
    };
    std::size_t head = 0;
    while (head < old.size() && head < now.size() && kept(head, head)) {
        ++head;
    }
    std::size_t tail = 0;
    while (tail < old.size() - head && tail < now.size() - head &&
           kept(old.size() - 1 - tail, now.size() - 1 - tail)) {
        ++tail;
    }
    const std::size_t oldLeft = old.size() - head - tail;
    const std::size_t nowLeft = now.size() - head - tail;
    Require(oldLeft <= 1);
    if (oldLeft == 1) {
        Require(nowLeft == 1 && now[head].text == entry && now[head].eol == old[head].eol);
        return;
    }
    Require(nowLeft <= 3);
    for (std::size_t j = head; j < head + nowLeft; ++j) {
        const std::string& added = now[j].text;
        Require(added.empty() || added == entry || added == sectionLine);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    FuzzedDataProvider data(bytes, size);
    const std::size_t buffer = data.ConsumeIntegralInRange<std::size_t>(0, 64);
    const std::string section = Name(data);
    const std::string key = Name(data);
    std::string value = data.ConsumeRandomLengthString(40);
    for (char& c : value) {
        if (c == '\n' || c == '\r') {
            c = ' ';
        }
    }
    const std::string content = data.ConsumeRemainingBytesAsString();
    const std::string path = FuzzPath("setting.ini");
    Require(static_cast<bool>(WriteFileAtomically(path, content)));

    CheckLookups(content, path, buffer);

    Require(static_cast<bool>(WritePrivateProfileString(section, key, value, path)));
    std::string written;
    Require(static_cast<bool>(ReadFileStart(path, content.size() + 4096, written)));
    const bool bom = content.rfind("\xEF\xBB\xBF", 0) == 0;
    Require(bom == (written.rfind("\xEF\xBB\xBF", 0) == 0));
    CheckLinesKept(content.substr(bom ? 3 : 0), written.substr(bom ? 3 : 0), key + "=" + value,
                   "[" + section + "]");
    CheckLookups(written, path, buffer);
    // A file that is all UTF-8 reads the value back as written.
    if (IsValidUtf8(written)) {
        const auto back = FindPrivateProfileString(section, key, 256, path);
        Require(back.has_value() && *back == Unquote(value));
    }
    return 0;
}
