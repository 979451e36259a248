#include "app/Profile.h"

#include "app/AsciiText.h"
#include "app/TextEncoding.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <ctime>
#include <list>
#include <memory>
#include <mutex>
#include <string_view>
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
    for (std::size_t i = 0; i < file.lines.size(); ++i) {
        if (file.lines[i].isSection && EqualsNoCase(file.lines[i].name, section)) {
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
        if (line.isKey && EqualsNoCase(line.name, key)) {
            return static_cast<long>(i);
        }
    }
    return -1;
}

// A file read for lookups: its text, an index of its sections and keys, and what tells
// whether it is still the file on disk. Names are found in a lower-case copy of the text.
class CParsedFile {
public:
    CParsedFile(std::string text, const struct stat& info, const timespec& readAt)
        : m_text(std::move(text)), m_lower(AsciiLower(m_text)), m_device(info.st_dev),
          m_inode(info.st_ino), m_size(info.st_size), m_modified(info.st_mtim),
          m_bSettled(info.st_mtim.tv_sec + kTimeStampDoubt < readAt.tv_sec) {
        Index();
    }
    CParsedFile(const CParsedFile&) = delete;
    CParsedFile& operator=(const CParsedFile&) = delete;

    // The raw value of [section] key (names lower-case and trimmed), or nothing.
    std::optional<std::string_view> Find(const std::string& section, const std::string& key) const {
        const auto s = m_sections.find(section);
        if (s == m_sections.end()) {
            return std::nullopt;
        }
        const auto k = m_keys.find({s->second, key});
        if (k == m_keys.end()) {
            return std::nullopt;
        }
        return std::string_view(m_text).substr(k->second.first, k->second.second);
    }

    bool HasSection(const std::string& section) const { return m_sections.count(section) != 0; }

    // True while the file on disk has the identity, size and time stamp of the one read, and
    // that time stamp was old enough to tell every later change.
    bool IsCurrent(const struct stat& info) const {
        return m_bSettled && m_device == info.st_dev && m_inode == info.st_ino &&
               m_size == info.st_size && m_modified.tv_sec == info.st_mtim.tv_sec &&
               m_modified.tv_nsec == info.st_mtim.tv_nsec;
    }
    bool IsSettled() const { return m_bSettled; }

private:
    // A key within the section of that number.
    struct KeyName {
        std::size_t section;
        std::string_view name;
        bool operator==(const KeyName&) const = default;
    };
    struct KeyHash {
        std::size_t operator()(const KeyName& k) const {
            return std::hash<std::string_view>()(k.name) ^ (k.section * 0x9E3779B97F4A7C15u);
        }
    };

    // Splits the text as SplitLines and ParseLine do; the first of duplicate sections or keys
    // wins.
    void Index() {
        const std::string_view lower(m_lower);
        m_keys.reserve(static_cast<std::size_t>(std::count(m_text.begin(), m_text.end(), '\n')));
        std::size_t pos = m_text.rfind(kBom, 0) == 0 ? sizeof kBom - 1 : 0;
        std::optional<std::size_t> section; // none before the first section and in a duplicate
        while (pos < m_text.size()) {
            std::size_t end = m_text.find('\n', pos);
            if (end == std::string::npos) {
                end = m_text.size();
            }
            const std::string_view raw = lower.substr(pos, end - pos);
            const std::string_view line = TrimView(raw);
            const std::size_t lineAt = pos + static_cast<std::size_t>(line.data() - raw.data());
            pos = end + 1;
            if (line.empty() || line[0] == ';') {
                continue;
            }
            if (line[0] == '[') {
                const std::size_t close = line.find(']');
                const auto name =
                    TrimView(line.substr(1, close == line.npos ? line.npos : close - 1));
                const auto [at, added] = m_sections.try_emplace(name, m_sections.size());
                section = added ? std::optional(at->second) : std::nullopt;
                continue;
            }
            const std::size_t eq = line.find('=');
            if (eq == line.npos || !section) {
                continue;
            }
            m_keys.try_emplace(KeyName{*section, TrimView(line.substr(0, eq))}, lineAt + eq + 1,
                               line.size() - eq - 1);
        }
    }

    std::string m_text;
    std::string m_lower;
    std::unordered_map<std::string_view, std::size_t> m_sections;
    std::unordered_map<KeyName, std::pair<std::size_t, std::size_t>, KeyHash> m_keys;
    dev_t m_device;
    ino_t m_inode;
    off_t m_size;
    timespec m_modified;
    bool m_bSettled;
};

// A file that has not changed for a while is checked on disk at most once in this time; a
// burst of lookups (a dialog being translated) then costs one check.
constexpr auto kRecheckAfter = std::chrono::microseconds(100);

// The parsed files by path, the most recently used first.
class CParsedFiles {
public:
    std::shared_ptr<const CParsedFile> Get(const std::string& path) {
        const auto now = std::chrono::steady_clock::now();
        {
            std::lock_guard lock(m_mutex);
            const auto at = Find(path);
            if (at != m_files.end() && at->file->IsSettled() &&
                now - at->checkedAt < kRecheckAfter) {
                return at->file;
            }
        }
        struct stat info {};
        if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
            return nullptr;
        }
        {
            std::lock_guard lock(m_mutex);
            const auto at = Find(path);
            if (at != m_files.end() && at->file->IsCurrent(info)) {
                at->checkedAt = now;
                m_files.splice(m_files.begin(), m_files, at);
                return at->file;
            }
        }
        timespec readAt{};
        ::clock_gettime(CLOCK_REALTIME, &readAt);
        std::string content;
        if (!ReadFileStart(path, static_cast<std::size_t>(info.st_size) + 1, content)) {
            return nullptr;
        }
        const bool whole = content.size() == static_cast<std::size_t>(info.st_size);
        auto parsed = std::make_shared<const CParsedFile>(ToUtf8(content), info, readAt);
        // A file that changed while it was read is used once and read again next time.
        struct stat after {};
        if (!whole || ::stat(path.c_str(), &after) != 0 || !parsed->IsCurrent(after)) {
            return parsed;
        }
        std::lock_guard lock(m_mutex);
        if (const auto at = Find(path); at != m_files.end()) {
            m_files.erase(at);
        }
        m_files.push_front({path, parsed, now});
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
    struct Entry {
        std::string path;
        std::shared_ptr<const CParsedFile> file;
        std::chrono::steady_clock::time_point checkedAt;
    };

    std::list<Entry>::iterator Find(const std::string& path) {
        return std::find_if(m_files.begin(), m_files.end(),
                            [&](const Entry& e) { return e.path == path; });
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
    const auto value = parsed->Find(AsciiLower(Trim(section)), AsciiLower(Trim(key)));
    if (!value) {
        return std::nullopt;
    }
    return Cut(Unquote(std::string(*value)), bufferSize);
}

std::string GetPrivateProfileString(const std::string& section, const std::string& key,
                                    const std::string& def, std::size_t bufferSize,
                                    const std::string& path) {
    if (auto value = FindPrivateProfileString(section, key, bufferSize, path)) {
        return *value;
    }
    return Cut(def, bufferSize);
}

bool HasPrivateProfileSection(const std::string& section, const std::string& path) {
    const auto parsed = ParsedFiles().Get(path);
    return parsed && parsed->HasSection(AsciiLower(Trim(section)));
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
