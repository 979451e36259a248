#include "app/JsonText.h"

#include <cstdio>

std::string JsonString(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (u < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", u);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

namespace {

class CFlatReader {
public:
    explicit CFlatReader(const std::string& text) : m_text(text) {}

    bool Object(std::map<std::string, std::string>& members) {
        if (!Take('{')) {
            return false;
        }
        if (!Take('}')) {
            do {
                std::string name;
                std::string value;
                if (!String(name) || !Take(':') || !Value(value)) {
                    return false;
                }
                members[name] = value;
            } while (Take(','));
            if (!Take('}')) {
                return false;
            }
        }
        SkipBlanks();
        return m_at == m_text.size();
    }

private:
    void SkipBlanks() {
        while (m_at < m_text.size() && (m_text[m_at] == ' ' || m_text[m_at] == '\t' ||
                                        m_text[m_at] == '\r' || m_text[m_at] == '\n')) {
            ++m_at;
        }
    }

    bool Take(char c) {
        SkipBlanks();
        if (m_at < m_text.size() && m_text[m_at] == c) {
            ++m_at;
            return true;
        }
        return false;
    }

    bool Value(std::string& value) {
        SkipBlanks();
        if (m_at < m_text.size() && m_text[m_at] == '"') {
            return String(value);
        }
        const std::size_t start = m_at;
        if (m_at < m_text.size() && m_text[m_at] == '-') {
            ++m_at;
        }
        const std::size_t digits = m_at;
        while (m_at < m_text.size() && m_text[m_at] >= '0' && m_text[m_at] <= '9') {
            ++m_at;
        }
        value = m_text.substr(start, m_at - start);
        return m_at > digits;
    }

    bool Hex4(unsigned& code) {
        if (m_text.size() - m_at < 4) {
            return false;
        }
        code = 0;
        for (int i = 0; i < 4; ++i) {
            const char c = m_text[m_at++];
            const int digit = c >= '0' && c <= '9'   ? c - '0'
                              : c >= 'a' && c <= 'f' ? c - 'a' + 10
                              : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                     : -1;
            if (digit < 0) {
                return false;
            }
            code = code * 16 + static_cast<unsigned>(digit);
        }
        return true;
    }

    static void AppendUtf8(std::string& out, unsigned code) {
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

    bool Escape(std::string& out) {
        const char c = m_text[m_at++];
        switch (c) {
        case '"':
        case '\\':
        case '/':
            out += c;
            return true;
        case 'b':
            out += '\b';
            return true;
        case 'f':
            out += '\f';
            return true;
        case 'n':
            out += '\n';
            return true;
        case 'r':
            out += '\r';
            return true;
        case 't':
            out += '\t';
            return true;
        case 'u':
            break;
        default:
            return false;
        }
        unsigned code = 0;
        if (!Hex4(code)) {
            return false;
        }
        if (code >= 0xD800 && code < 0xDC00) {
            unsigned low = 0;
            if (m_text.compare(m_at, 2, "\\u") != 0 || (m_at += 2, !Hex4(low)) || low < 0xDC00 ||
                low >= 0xE000) {
                return false;
            }
            code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
        } else if (code >= 0xDC00 && code < 0xE000) {
            return false;
        }
        AppendUtf8(out, code);
        return true;
    }

    bool String(std::string& out) {
        if (!Take('"')) {
            return false;
        }
        while (m_at < m_text.size()) {
            const char c = m_text[m_at++];
            if (c == '"') {
                return true;
            }
            if (static_cast<unsigned char>(c) < 0x20) {
                return false;
            }
            if (c != '\\') {
                out += c;
            } else if (m_at >= m_text.size() || !Escape(out)) {
                return false;
            }
        }
        return false;
    }

    const std::string& m_text;
    std::size_t m_at = 0;
};

} // namespace

bool ParseFlatJsonObject(const std::string& text, std::map<std::string, std::string>& members) {
    return CFlatReader(text).Object(members);
}
