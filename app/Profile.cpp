#include "app/Profile.h"

#include "app/TextEncoding.h"

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <list>
#include <memory>
#include <mutex>
#include <sys/stat.h>
#include <unordered_map>
#include <vector>

namespace {

constexpr char kBom[] = "\xEF\xBB\xBF";
// Parsed files kept at once: the settings files and a language file, with room to spare.
constexpr std::size_t kCachedFiles = 8;
// A file whose time stamp is this close to the moment it was read may change again without
// a new time stamp (time stamps advance in clock ticks, on some file systems in seconds).
constexpr std::time_t kTimeStampDoubt = 2;

std::string Trim(const std::string& s) {
    const char* blanks = " \t\r\n";
    const std::size_t first = s.find_first_not_of(blanks);
    if (first == std::string::npos) {
        return {};
    }
    const std::size_t last = s.find_last_not_of(blanks);
    return s.substr(first, last - first + 1);
}

std::string Lower(const std::string& s) {
    std::string out = s;
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return out;
}

// One line of a profile file, split once so that reads and writes agree on its meaning.
struct Line {
    std::string text; // without its line end
    std::string eol;  // "\r\n", "\n", or empty for a last line without one
    bool isSection = false;
    bool isKey = false;
    std::string name;  // section or key name, trimmed
    std::string value; // raw value after the first '=', for keys
};

Line ParseLine(const std::string& text, const std::string& eol) {
    Line line;
    line.text = text;
    line.eol = eol;
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
    std::string bom;
    std::vector<Line> lines;
    std::string eol = "\r\n"; // the first line's line end, for new lines
};

ProfileFile SplitLines(const std::string& content) {
    ProfileFile file;
    std::size_t pos = 0;
    if (content.rfind(kBom, 0) == 0) {
        file.bom = kBom;
        pos = file.bom.size();
    }
    bool first = true;
    while (pos < content.size()) {
        const std::size_t end = content.find('\n', pos);
        std::string text = content.substr(pos, end == std::string::npos ? end : end - pos);
        std::string eol;
        if (end != std::string::npos) {
            eol = "\n";
            if (!text.empty() && text.back() == '\r') {
                text.pop_back();
                eol = "\r\n";
            }
            if (first) {
                file.eol = eol;
            }
        }
        first = false;
        file.lines.push_back(ParseLine(text, eol));
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

std::string Cut(const std::string& value, std::size_t bufferSize) {
    return bufferSize == 0 ? std::string() : CutUtf8(value, bufferSize - 1);
}

// Index of the first line of the first section named section, or -1.
long FindSection(const ProfileFile& file, const std::string& section) {
    const std::string name = Lower(section);
    for (std::size_t i = 0; i < file.lines.size(); ++i) {
        if (file.lines[i].isSection && Lower(file.lines[i].name) == name) {
            return static_cast<long>(i);
        }
    }
    return -1;
}

// Index of the first key line named key in the section starting at sectionLine, or -1.
long FindKey(const ProfileFile& file, long sectionLine, const std::string& key) {
    const std::string name = Lower(key);
    for (std::size_t i = static_cast<std::size_t>(sectionLine) + 1; i < file.lines.size(); ++i) {
        const Line& line = file.lines[i];
        if (line.isSection) {
            break;
        }
        if (line.isKey && Lower(line.name) == name) {
            return static_cast<long>(i);
        }
    }
    return -1;
}

// A file read for lookups, with what tells whether it is still the file on disk.
struct ParsedFile {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified{};
    timespec readAt{};
    std::unordered_map<std::string, bool> sections;      // lower-case names
    std::unordered_map<std::string, std::string> values; // lower-case "section\nkey"
};

bool SameTime(const timespec& a, const timespec& b) {
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

bool StillCurrent(const ParsedFile& parsed, const struct stat& info) {
    return parsed.device == info.st_dev && parsed.inode == info.st_ino &&
           parsed.size == info.st_size && SameTime(parsed.modified, info.st_mtim) &&
           info.st_mtim.tv_sec + kTimeStampDoubt < parsed.readAt.tv_sec;
}

std::shared_ptr<const ParsedFile> Parse(const std::string& content, const struct stat& info,
                                        const timespec& readAt) {
    auto parsed = std::make_shared<ParsedFile>();
    parsed->device = info.st_dev;
    parsed->inode = info.st_ino;
    parsed->size = info.st_size;
    parsed->modified = info.st_mtim;
    parsed->readAt = readAt;
    std::string section;
    bool firstOfItsName = false;
    for (const Line& line : SplitLines(ToUtf8(content)).lines) {
        if (line.isSection) {
            section = Lower(line.name);
            firstOfItsName = parsed->sections.emplace(section, true).second;
        } else if (line.isKey && firstOfItsName) {
            parsed->values.emplace(section + "\n" + Lower(line.name), Unquote(line.value));
        }
    }
    return parsed;
}

// The parsed files by path, the most recently used first.
class CParsedFiles {
public:
    std::shared_ptr<const ParsedFile> Get(const std::string& path) {
        struct stat info {};
        if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
            return nullptr;
        }
        {
            std::lock_guard lock(m_mutex);
            const auto at = Find(path);
            if (at != m_files.end() && StillCurrent(*at->second, info)) {
                m_files.splice(m_files.begin(), m_files, at);
                return at->second;
            }
        }
        timespec readAt{};
        ::clock_gettime(CLOCK_REALTIME, &readAt);
        std::string content;
        if (!ReadFileStart(path, static_cast<std::size_t>(info.st_size) + 1, content)) {
            return nullptr;
        }
        auto parsed = Parse(content, info, readAt);
        // A file that changed while it was read is used once and read again next time.
        struct stat after {};
        if (content.size() != static_cast<std::size_t>(info.st_size) ||
            ::stat(path.c_str(), &after) != 0 || after.st_ino != info.st_ino ||
            after.st_size != info.st_size || !SameTime(after.st_mtim, info.st_mtim)) {
            return parsed;
        }
        std::lock_guard lock(m_mutex);
        if (const auto at = Find(path); at != m_files.end()) {
            m_files.erase(at);
        }
        m_files.emplace_front(path, parsed);
        if (m_files.size() > kCachedFiles) {
            m_files.pop_back();
        }
        return parsed;
    }

    void Forget(const std::string& path) {
        std::lock_guard lock(m_mutex);
        if (const auto at = Find(path); at != m_files.end()) {
            m_files.erase(at);
        }
    }

private:
    using Entry = std::pair<std::string, std::shared_ptr<const ParsedFile>>;

    std::list<Entry>::iterator Find(const std::string& path) {
        return std::find_if(m_files.begin(), m_files.end(),
                            [&](const Entry& e) { return e.first == path; });
    }

    std::mutex m_mutex;
    std::list<Entry> m_files;
};

CParsedFiles& ParsedFiles() {
    static CParsedFiles files;
    return files;
}

} // namespace

std::optional<std::string> FindPrivateProfileString(const std::string& section,
                                                    const std::string& key, std::size_t bufferSize,
                                                    const std::string& path) {
    const auto parsed = ParsedFiles().Get(path);
    if (!parsed) {
        return std::nullopt;
    }
    const auto at = parsed->values.find(Lower(Trim(section)) + "\n" + Lower(Trim(key)));
    if (at == parsed->values.end()) {
        return std::nullopt;
    }
    return Cut(at->second, bufferSize);
}

std::string GetPrivateProfileString(const std::string& section, const std::string& key,
                                    const std::string& def, std::size_t bufferSize,
                                    const std::string& path) {
    return FindPrivateProfileString(section, key, bufferSize, path).value_or(Cut(def, bufferSize));
}

bool HasPrivateProfileSection(const std::string& section, const std::string& path) {
    const auto parsed = ParsedFiles().Get(path);
    return parsed && parsed->sections.count(Lower(Trim(section))) != 0;
}

FileResult WritePrivateProfileString(const std::string& section, const std::string& key,
                                     const std::string& value, const std::string& path) {
    std::string content;
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0) {
        // The whole file, however large, so that nothing of it is lost.
        if (FileResult read = ReadFileStart(path, static_cast<std::size_t>(info.st_size), content);
            !read) {
            return read;
        }
    }
    ProfileFile file = SplitLines(content);
    const std::string keyName = Trim(key);
    const std::string sectionName = Trim(section);
    const std::string entry = keyName + "=" + value;
    const auto newLine = [&file](const std::string& text) { return ParseLine(text, file.eol); };

    const long sectionLine = FindSection(file, sectionName);
    if (sectionLine < 0) {
        if (!file.lines.empty() && !Trim(file.lines.back().text).empty()) {
            file.lines.push_back(newLine(""));
        }
        file.lines.push_back(newLine("[" + sectionName + "]"));
        file.lines.push_back(newLine(entry));
    } else if (const long keyLine = FindKey(file, sectionLine, keyName); keyLine >= 0) {
        Line& line = file.lines[static_cast<std::size_t>(keyLine)];
        line = ParseLine(entry, line.eol);
    } else {
        // After the last non-blank line of the section.
        std::size_t insertAt = static_cast<std::size_t>(sectionLine) + 1;
        for (std::size_t i = insertAt; i < file.lines.size() && !file.lines[i].isSection; ++i) {
            if (!Trim(file.lines[i].text).empty()) {
                insertAt = i + 1;
            }
        }
        file.lines.insert(file.lines.begin() + static_cast<long>(insertAt), newLine(entry));
    }

    std::string out = file.bom;
    for (std::size_t i = 0; i < file.lines.size(); ++i) {
        const Line& line = file.lines[i];
        out += line.text;
        // A last line without a line end gets one when lines now follow it.
        out += line.eol.empty() && i + 1 < file.lines.size() ? file.eol : line.eol;
    }
    FileResult result = WriteFileAtomically(path, out);
    ParsedFiles().Forget(path);
    return result;
}
