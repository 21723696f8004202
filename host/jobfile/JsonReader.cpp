#include "host/jobfile/JsonReader.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

namespace
{

class Reader
{
  public:
    explicit Reader(std::string_view text) : m_p(text.data()), m_end(text.data() + text.size()) {}

    bool Document(Json& out)
    {
        SkipSpace();
        if (!Value(out, 0))
            return false;
        SkipSpace();
        return m_p == m_end;
    }

  private:
    void SkipSpace()
    {
        while (m_p < m_end && (*m_p == ' ' || *m_p == '\n' || *m_p == '\t' || *m_p == '\r'))
            ++m_p;
    }

    bool Value(Json& out, int depth)
    {
        if (m_p == m_end)
            return false;
        switch (*m_p)
        {
        case '{': return depth < kMaxJsonDepth && Object(out, depth + 1);
        case '[': return depth < kMaxJsonDepth && Array(out, depth + 1);
        case '"':
        {
            std::string s;
            if (!String(s))
                return false;
            out = std::move(s);
            return true;
        }
        case 't': return Literal("true", 4, out, true);
        case 'f': return Literal("false", 5, out, false);
        case 'n': return Literal("null", 4, out, nullptr);
        default: return Number(out);
        }
    }

    template <class T> bool Literal(const char* word, size_t size, Json& out, T value)
    {
        if (size_t(m_end - m_p) < size || std::string_view(m_p, size) != word)
            return false;
        m_p += size;
        out = value;
        return true;
    }

    bool Object(Json& out, int depth)
    {
        out = Json::object();
        auto& members = out.get_ref<Json::object_t&>();
        ++m_p;
        SkipSpace();
        if (m_p < m_end && *m_p == '}')
            return ++m_p, true;
        std::string key;
        for (;;)
        {
            if (m_p == m_end || *m_p != '"' || !String(key))
                return false;
            SkipSpace();
            if (m_p == m_end || *m_p != ':')
                return false;
            ++m_p;
            SkipSpace();
            // A key written twice keeps its first place and its last value, as the library's tree does.
            if (!Value(members[key], depth))
                return false;
            SkipSpace();
            if (m_p == m_end)
                return false;
            if (*m_p == '}')
                return ++m_p, true;
            if (*m_p != ',')
                return false;
            ++m_p;
            SkipSpace();
        }
    }

    bool Array(Json& out, int depth)
    {
        out = Json::array();
        auto& elements = out.get_ref<Json::array_t&>();
        ++m_p;
        SkipSpace();
        if (m_p < m_end && *m_p == ']')
            return ++m_p, true;
        for (;;)
        {
            if (!Value(elements.emplace_back(), depth))
                return false;
            SkipSpace();
            if (m_p == m_end)
                return false;
            if (*m_p == ']')
                return ++m_p, true;
            if (*m_p != ',')
                return false;
            ++m_p;
            SkipSpace();
        }
    }

    // Whole numbers only: what is not negative is unsigned, as in the library's tree.
    bool Number(Json& out)
    {
        const char* start = m_p;
        bool negative = *m_p == '-';
        if (negative)
            ++m_p;
        if (m_p == m_end || *m_p < '0' || *m_p > '9')
            return false;
        if (*m_p == '0')
            ++m_p;
        else
            while (m_p < m_end && *m_p >= '0' && *m_p <= '9')
                ++m_p;
        if (m_p < m_end && (*m_p == '.' || *m_p == 'e' || *m_p == 'E'))
            return false;
        if (m_p - start > 20)
            return false;
        char digits[24];
        std::memcpy(digits, start, size_t(m_p - start));
        digits[m_p - start] = '\0';
        errno = 0;
        char* stop = nullptr;
        if (negative)
        {
            long long n = std::strtoll(digits, &stop, 10);
            if (errno == ERANGE)
                return false;
            out = Json::number_integer_t(n);
        }
        else
        {
            unsigned long long n = std::strtoull(digits, &stop, 10);
            if (errno == ERANGE)
                return false;
            out = Json::number_unsigned_t(n);
        }
        return true;
    }

    bool Escape4(unsigned& code)
    {
        if (m_end - m_p < 4)
            return false;
        code = 0;
        for (int i = 0; i < 4; ++i)
        {
            int h = HexDigit(m_p[i]);
            if (h < 0)
                return false;
            code = code << 4 | unsigned(h);
        }
        m_p += 4;
        return true;
    }

    static void PutUtf8(unsigned code, std::string& s)
    {
        if (code < 0x80)
            s += char(code);
        else if (code < 0x800)
            s += char(0xC0 | code >> 6), s += char(0x80 | (code & 0x3F));
        else if (code < 0x10000)
            s += char(0xE0 | code >> 12), s += char(0x80 | (code >> 6 & 0x3F)), s += char(0x80 | (code & 0x3F));
        else
            s += char(0xF0 | code >> 18), s += char(0x80 | (code >> 12 & 0x3F)), s += char(0x80 | (code >> 6 & 0x3F)),
                s += char(0x80 | (code & 0x3F));
    }

    // The length of a well-formed UTF-8 sequence at m_p, or 0: no overlong forms, no surrogates, nothing past
    // U+10FFFF, which is what the library accepts.
    size_t Utf8Length() const
    {
        auto byte = [this](size_t i) { return m_p + i < m_end ? (unsigned char)m_p[i] : 0u; };
        auto in = [](unsigned b, unsigned lo, unsigned hi) { return b >= lo && b <= hi; };
        const unsigned b0 = byte(0);
        if (in(b0, 0xC2, 0xDF))
            return in(byte(1), 0x80, 0xBF) ? 2 : 0;
        if (in(b0, 0xE0, 0xEF))
        {
            const unsigned lo = b0 == 0xE0 ? 0xA0 : 0x80, hi = b0 == 0xED ? 0x9F : 0xBF;
            return in(byte(1), lo, hi) && in(byte(2), 0x80, 0xBF) ? 3 : 0;
        }
        if (in(b0, 0xF0, 0xF4))
        {
            const unsigned lo = b0 == 0xF0 ? 0x90 : 0x80, hi = b0 == 0xF4 ? 0x8F : 0xBF;
            return in(byte(1), lo, hi) && in(byte(2), 0x80, 0xBF) && in(byte(3), 0x80, 0xBF) ? 4 : 0;
        }
        return 0;
    }

    bool String(std::string& s)
    {
        s.clear();
        ++m_p;
        for (;;)
        {
            const char* run = m_p;
            while (m_p < m_end && *m_p != '"' && *m_p != '\\' && (unsigned char)*m_p >= 0x20 &&
                   (unsigned char)*m_p < 0x80)
                ++m_p;
            s.append(run, size_t(m_p - run));
            if (m_p == m_end)
                return false;
            const unsigned char c = (unsigned char)*m_p;
            if (c == '"')
                return ++m_p, true;
            if (c < 0x20)
                return false;
            if (c >= 0x80)
            {
                size_t n = Utf8Length();
                if (!n)
                    return false;
                s.append(m_p, n);
                m_p += n;
                continue;
            }
            if (++m_p == m_end)
                return false;
            switch (*m_p++)
            {
            case '"': s += '"'; break;
            case '\\': s += '\\'; break;
            case '/': s += '/'; break;
            case 'b': s += '\b'; break;
            case 'f': s += '\f'; break;
            case 'n': s += '\n'; break;
            case 'r': s += '\r'; break;
            case 't': s += '\t'; break;
            case 'u':
            {
                unsigned code = 0;
                if (!Escape4(code) || (code >= 0xDC00 && code <= 0xDFFF))
                    return false;
                if (code >= 0xD800 && code <= 0xDBFF)
                {
                    unsigned low = 0;
                    if (m_end - m_p < 2 || m_p[0] != '\\' || m_p[1] != 'u')
                        return false;
                    m_p += 2;
                    if (!Escape4(low) || low < 0xDC00 || low > 0xDFFF)
                        return false;
                    code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
                }
                PutUtf8(code, s);
                break;
            }
            default: return false;
            }
        }
    }

    const char* m_p;
    const char* m_end;
};

} // namespace

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

bool ReadJsonTree(std::string_view text, Json& out)
{
    // The library steps over a byte-order mark; so few files have one that it may as well do it.
    if (text.size() >= 3 && text.substr(0, 3) == "\xEF\xBB\xBF")
        return false;
    return Reader(text).Document(out);
}
