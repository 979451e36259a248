#include "app/HelpSearch.h"

#include "app/AsciiText.h"

#include <algorithm>
#include <cstdint>

namespace {

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

// Every run of white space one space, the ends trimmed.
std::string CollapseSpace(const std::string& text) {
    std::string out;
    bool space = false;
    for (const char c : text) {
        if (IsSpace(c)) {
            space = !out.empty();
            continue;
        }
        if (space) {
            out += ' ';
            space = false;
        }
        out += c;
    }
    return out;
}

void AppendUtf8(std::string& out, std::uint32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// The character reference at html[at] ("&amp;", "&#39;", "&#x4E2D;") decoded into out;
// returns the length it took, 0 when it is none of the known ones.
std::size_t DecodeReference(const std::string& html, std::size_t at, std::string& out) {
    const std::size_t end = html.find(';', at);
    if (end == std::string::npos || end - at > 10) {
        return 0;
    }
    const std::string name = html.substr(at + 1, end - at - 1);
    static const struct {
        const char* name;
        const char* text;
    } kNamed[] = {{"amp", "&"},   {"lt", "<"},   {"gt", ">"},
                  {"quot", "\""}, {"apos", "'"}, {"nbsp", " "}};
    for (const auto& n : kNamed) {
        if (name == n.name) {
            out += n.text;
            return end - at + 1;
        }
    }
    if (name.size() < 2 || name[0] != '#') {
        return 0;
    }
    const bool hex = name[1] == 'x' || name[1] == 'X';
    std::uint32_t code = 0;
    for (std::size_t i = hex ? 2 : 1; i < name.size(); ++i) {
        const char c = AsciiLower(name[i]);
        int digit = -1;
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (hex && c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        }
        if (digit < 0 || code > 0x10FFFF) {
            return 0;
        }
        code = code * (hex ? 16 : 10) + static_cast<std::uint32_t>(digit);
    }
    if (code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        return 0;
    }
    AppendUtf8(out, code);
    return end - at + 1;
}

// The name of the tag starting at html[at] ('<'), lower-cased, without a leading '/'.
std::string TagName(const std::string& html, std::size_t at) {
    std::size_t i = at + 1;
    if (i < html.size() && html[i] == '/') {
        ++i;
    }
    std::string name;
    while (i < html.size() && !IsSpace(html[i]) && html[i] != '>' && html[i] != '/') {
        name += AsciiLower(html[i++]);
    }
    return name;
}

int CountHits(const std::string& text, const std::string& query) {
    int hits = 0;
    for (std::size_t at = text.find(query); at != std::string::npos;
         at = text.find(query, at + query.size())) {
        ++hits;
    }
    return hits;
}

} // namespace

std::string HelpPlainText(const std::string& html) {
    std::string text;
    std::size_t i = 0;
    while (i < html.size()) {
        const char c = html[i];
        if (c == '<') {
            if (html.compare(i, 4, "<!--") == 0) {
                const std::size_t end = html.find("-->", i + 4);
                i = end == std::string::npos ? html.size() : end + 3;
                continue;
            }
            const std::string name = TagName(html, i);
            std::size_t end = html.find('>', i);
            end = end == std::string::npos ? html.size() : end + 1;
            if ((name == "style" || name == "script") && html[i + 1] != '/') {
                const std::size_t close = AsciiLower(html).find("</" + name, end);
                end = close == std::string::npos ? html.size() : close;
            }
            // A block's tag separates words; a tag within a line of text does not.
            static const char* const kInline[] = {"a",    "b",     "i",   "em",  "strong",
                                                  "code", "span",  "kbd", "tt",  "sub",
                                                  "sup",  "small", "u",   "var", "samp"};
            if (std::find(std::begin(kInline), std::end(kInline), name) == std::end(kInline)) {
                text += ' ';
            }
            i = end;
            continue;
        }
        if (c == '&') {
            const std::size_t length = DecodeReference(html, i, text);
            if (length > 0) {
                i += length;
                continue;
            }
        }
        text += c;
        ++i;
    }
    return CollapseSpace(text);
}

std::string HelpPageTitle(const std::string& html) {
    const std::string lower = AsciiLower(html);
    const std::size_t open = lower.find("<title");
    if (open == std::string::npos) {
        return {};
    }
    const std::size_t start = lower.find('>', open);
    const std::size_t close = lower.find("</title", open);
    if (start == std::string::npos || close == std::string::npos || close < start) {
        return {};
    }
    return HelpPlainText(html.substr(start + 1, close - start - 1));
}

std::vector<SHelpHit> SearchHelpPages(const std::vector<SHelpPage>& pages,
                                      const std::string& query) {
    const std::string wanted = AsciiLower(CollapseSpace(query));
    std::vector<SHelpHit> found;
    if (wanted.empty()) {
        return found;
    }
    for (std::size_t p = 0; p < pages.size(); ++p) {
        const int hits = CountHits(AsciiLower(pages[p].text), wanted);
        if (hits > 0) {
            found.push_back({p, hits, CountHits(AsciiLower(pages[p].title), wanted) > 0});
        }
    }
    std::stable_sort(found.begin(), found.end(), [](const SHelpHit& a, const SHelpHit& b) {
        if (a.inTitle != b.inTitle) {
            return a.inTitle;
        }
        return a.hits > b.hits;
    });
    return found;
}
