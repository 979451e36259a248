#include "app/Profile.h"

#include "app/TextEncoding.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

std::string Trim(const std::string& s) {
    const char* blanks = " \t\r\n";
    const std::size_t first = s.find_first_not_of(blanks);
    if (first == std::string::npos) {
        return {};
    }
    const std::size_t last = s.find_last_not_of(blanks);
    return s.substr(first, last - first + 1);
}

bool SameName(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto ca = static_cast<unsigned char>(a[i]);
        const auto cb = static_cast<unsigned char>(b[i]);
        if (std::tolower(ca) != std::tolower(cb)) {
            return false;
        }
    }
    return true;
}

// One line of a profile file, split once so that reads and writes agree on its meaning.
struct Line {
    std::string text; // without its line end
    bool isSection = false;
    bool isKey = false;
    std::string name;  // section or key name, trimmed
    std::string value; // raw value after the first '=', for keys
};

Line ParseLine(const std::string& text) {
    Line line;
    line.text = text;
    const std::string t = Trim(text);
    if (t.empty() || t[0] == ';') {
        return line;
    }
    if (t[0] == '[') {
        const std::size_t close = t.find(']');
        line.isSection = true;
        line.name = Trim(t.substr(1, close == std::string::npos ? std::string::npos : close - 1));
        return line;
    }
    const std::size_t eq = t.find('=');
    if (eq == std::string::npos) {
        return line;
    }
    line.isKey = true;
    line.name = Trim(t.substr(0, eq));
    line.value = t.substr(eq + 1);
    return line;
}

struct ProfileFile {
    std::vector<Line> lines;
    std::string eol = "\r\n"; // the file's own line end, kept by writes
};

bool ReadWholeFile(const std::string& path, std::string& content) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return false;
    }
    std::ostringstream ss;
    ss << in.rdbuf();
    content = ss.str();
    return true;
}

ProfileFile SplitLines(const std::string& content) {
    ProfileFile file;
    const std::size_t firstLf = content.find('\n');
    if (firstLf != std::string::npos && (firstLf == 0 || content[firstLf - 1] != '\r')) {
        file.eol = "\n";
    }
    std::size_t pos = 0;
    while (pos < content.size()) {
        std::size_t end = content.find('\n', pos);
        std::string text = content.substr(pos, end == std::string::npos ? end : end - pos);
        if (!text.empty() && text.back() == '\r') {
            text.pop_back();
        }
        file.lines.push_back(ParseLine(text));
        if (end == std::string::npos) {
            break;
        }
        pos = end + 1;
    }
    return file;
}

std::string Unquote(const std::string& value) {
    std::string v = Trim(value);
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
        v = v.substr(1, v.size() - 2);
    }
    return v;
}

// Index of the first line of the first section named section, or -1.
long FindSection(const ProfileFile& file, const std::string& section) {
    for (std::size_t i = 0; i < file.lines.size(); ++i) {
        if (file.lines[i].isSection && SameName(file.lines[i].name, section)) {
            return static_cast<long>(i);
        }
    }
    return -1;
}

// Index of the first key line named key in the section starting at sectionLine, or -1.
long FindKey(const ProfileFile& file, long sectionLine, const std::string& key) {
    for (std::size_t i = static_cast<std::size_t>(sectionLine) + 1; i < file.lines.size(); ++i) {
        const Line& line = file.lines[i];
        if (line.isSection) {
            break;
        }
        if (line.isKey && SameName(line.name, key)) {
            return static_cast<long>(i);
        }
    }
    return -1;
}

std::string Cut(const std::string& value, std::size_t bufferSize) {
    return bufferSize == 0 ? std::string() : CutUtf8(value, bufferSize - 1);
}

std::string SystemError(const std::string& what, const std::string& path) {
    return what + " " + path + ": " + std::strerror(errno);
}

} // namespace

std::string GetPrivateProfileString(const std::string& section, const std::string& key,
                                    const std::string& def, std::size_t bufferSize,
                                    const std::string& path) {
    std::string content;
    if (!ReadWholeFile(path, content)) {
        return Cut(def, bufferSize);
    }
    const ProfileFile file = SplitLines(ToUtf8(content));
    const long sectionLine = FindSection(file, Trim(section));
    if (sectionLine < 0) {
        return Cut(def, bufferSize);
    }
    const long keyLine = FindKey(file, sectionLine, Trim(key));
    if (keyLine < 0) {
        return Cut(def, bufferSize);
    }
    return Cut(Unquote(file.lines[static_cast<std::size_t>(keyLine)].value), bufferSize);
}

ProfileWriteResult WritePrivateProfileString(const std::string& section, const std::string& key,
                                             const std::string& value, const std::string& path) {
    std::string content;
    const bool exists = ReadWholeFile(path, content);
    ProfileFile file = exists ? SplitLines(content) : ProfileFile{};
    const std::string keyName = Trim(key);
    const std::string sectionName = Trim(section);
    const std::string entry = keyName + "=" + value;

    const long sectionLine = FindSection(file, sectionName);
    if (sectionLine < 0) {
        if (!file.lines.empty() && !Trim(file.lines.back().text).empty()) {
            file.lines.push_back(ParseLine(""));
        }
        file.lines.push_back(ParseLine("[" + sectionName + "]"));
        file.lines.push_back(ParseLine(entry));
    } else if (const long keyLine = FindKey(file, sectionLine, keyName); keyLine >= 0) {
        file.lines[static_cast<std::size_t>(keyLine)] = ParseLine(entry);
    } else {
        // After the last non-blank line of the section.
        std::size_t insertAt = static_cast<std::size_t>(sectionLine) + 1;
        for (std::size_t i = insertAt; i < file.lines.size() && !file.lines[i].isSection; ++i) {
            if (!Trim(file.lines[i].text).empty()) {
                insertAt = i + 1;
            }
        }
        file.lines.insert(file.lines.begin() + static_cast<long>(insertAt), ParseLine(entry));
    }

    std::string out;
    for (const Line& line : file.lines) {
        out += line.text;
        out += file.eol;
    }

    // Write beside the target, flush, then rename over it: the old file stays whole until the
    // new one is complete.
    std::string tmpl = path + ".XXXXXX";
    std::vector<char> name(tmpl.begin(), tmpl.end());
    name.push_back('\0');
    const int fd = mkstemp(name.data());
    if (fd < 0) {
        return {false, SystemError("Cannot write", path)};
    }
    const std::string tmpPath(name.data());
    struct stat st {};
    fchmod(fd, exists && stat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0644);
    std::size_t written = 0;
    while (written < out.size()) {
        const ssize_t n = ::write(fd, out.data() + written, out.size() - written);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            ProfileWriteResult failed{false, SystemError("Cannot write", path)};
            ::close(fd);
            ::unlink(tmpPath.c_str());
            return failed;
        }
        written += static_cast<std::size_t>(n);
    }
    if (::fsync(fd) != 0) {
        ProfileWriteResult failed{false, SystemError("Cannot write", path)};
        ::close(fd);
        ::unlink(tmpPath.c_str());
        return failed;
    }
    ::close(fd);
    if (std::rename(tmpPath.c_str(), path.c_str()) != 0) {
        ProfileWriteResult failed{false, SystemError("Cannot replace", path)};
        ::unlink(tmpPath.c_str());
        return failed;
    }
    return {};
}
