#include "host/jobfile/JobArchive.h"
#include "host/jobfile/JsonReader.h"

#include <charconv>
#include <cstring>

namespace
{

void PrintString(std::string_view s, std::string& out);
void PrintValue(const Json& v, std::string& out, int depth);
bool IsPlain(const Json& v) { return !v.is_object() && !v.is_array(); }

template <class T> void PrintNumber(T n, std::string& out)
{
    char digits[24];
    out.append(digits, size_t(std::to_chars(digits, digits + sizeof digits, n).ptr - digits));
}

bool IsAscii(const std::string& s)
{
    for (unsigned char c : s)
        if (c >= 0x80)
            return false;
    return true;
}

const char kHex[] = "0123456789ABCDEF";

// A type as a message names it: what a member holds, or what it must hold (numbers of a job are whole).
const char* Describe(Json::value_t t, bool expected)
{
    switch (t)
    {
    case Json::value_t::null: return "null";
    case Json::value_t::object: return "an object";
    case Json::value_t::array: return "an array";
    case Json::value_t::string: return "text";
    case Json::value_t::boolean: return "true or false";
    case Json::value_t::number_float: return expected ? "a whole number" : "a fraction";
    default: return expected ? "a whole number" : "a number";
    }
}

const char* TypeName(const Json& v) { return Describe(v.type(), false); }

} // namespace

JobArchive::JobArchive(Json& obj, bool storing, int codePage, std::string name)
    : m_pObj(&obj), m_bStoring(storing), m_nCodePage(codePage), m_strName(std::move(name))
{
}

JobArchive::JobArchive(JobArchive& parent, Json& obj, const char* key, int index)
    : m_pObj(&obj), m_bStoring(parent.m_bStoring), m_nCodePage(parent.m_nCodePage), m_pParent(&parent),
      m_pResets(parent.m_pResets), m_strName(key ? key : ""), m_nIndex(index)
{
}

JobArchive::JobArchive(std::string& out, int depth, int codePage)
    : m_pObj(nullptr), m_bStoring(true), m_nCodePage(codePage), m_pOut(&out), m_nDepth(depth)
{
    out += '{';
    m_nOpen = out.size();
}

JobArchive::JobArchive(std::string& out, size_t at)
    : m_pObj(nullptr), m_bStoring(true), m_nCodePage(1252),
      m_pBytes(&out), m_sink{&out, out.data() + at, out.data() + out.size()}, m_pSink(&m_sink)
{
}

void JobArchive::Grow(size_t size)
{
    Sink& k = *m_pSink;
    std::string& out = *k.out;
    size_t used = size_t(k.at - out.data());
    out.resize(std::max({out.capacity(), out.size() * 2, used + size + 65536}));
    k.at = out.data() + used;
    k.end = out.data() + out.size();
}

JobArchive::JobArchive(std::string_view in)
    : m_pObj(nullptr), m_bStoring(false), m_nCodePage(1252), m_pIn(&m_in), m_in(in)
{
}

JobArchive::JobArchive(JobArchive& parent, BytesTag)
    : m_pObj(nullptr), m_bStoring(parent.m_bStoring), m_nCodePage(parent.m_nCodePage), m_pParent(&parent),
      m_pBytes(parent.m_pBytes), m_pSink(parent.m_pSink), m_pIn(parent.m_pIn)
{
}

void JobArchive::Take(void* data, size_t size)
{
    if (m_pIn->size() < size)
        Fail("", "the bytes end early");
    std::memcpy(data, m_pIn->data(), size);
    m_pIn->remove_prefix(size);
}

std::string JobArchive::Where(const char* key, int index) const
{
    std::string where;
    if (m_pParent)
        where = m_pParent->Where();
    if (!m_strName.empty())
        where += (where.empty() ? "" : ".") + m_strName;
    if (m_nIndex >= 0)
        where += "[" + std::to_string(m_nIndex) + "]";
    if (key)
        where += (where.empty() ? "" : ".") + std::string(key);
    if (index >= 0)
        where += "[" + std::to_string(index) + "]";
    return where;
}

void JobArchive::Fail(const std::string& where, const std::string& what) const
{
    throw JobFileError(where.empty() ? what : where + ": " + what);
}

// A file's members come in the order the fields are visited: the search starts after the member found last, so
// that reading an object costs a look at each member rather than a walk over all of them for each.
Json* JobArchive::Member(const char* key, int)
{
    Json::object_t::Container& members = m_pObj->get_ref<Json::object_t&>();
    const size_t n = members.size();
    for (size_t k = 0, i = m_nNext; k < n; ++k, ++i)
    {
        if (i >= n)
            i = 0;
        if (members[i].first == key)
        {
            m_nNext = i + 1;
            return &members[i].second;
        }
    }
    return nullptr;
}

Json* JobArchive::Find(const char* key, Json::value_t expected)
{
    if (m_pIn)
    {
        auto size = Take<uint32_t>();
        if (m_pIn->size() < size)
            Fail("", "the bytes end early");
        m_found = Json::parse(m_pIn->substr(0, size));
        m_pIn->remove_prefix(size);
        return &m_found;
    }
    Json* it = Member(key, 0);
    if (!it)
        return nullptr;
    Known(key);
    Json& v = *it;
    bool ok = expected == Json::value_t::number_integer ? v.is_number_integer() : v.type() == expected;
    if (!ok)
        Fail(Where(key), std::string("must be ") + Describe(expected, true) + ", not " + TypeName(v));
    return &v;
}

bool JobArchive::AsInteger(const Json& value, long long& n)
{
    if (value.is_number_unsigned())
    {
        auto u = value.get<unsigned long long>();
        n = u > (1ull << 62) ? (1ll << 62) : (long long)u; // far out of every range either way
        return true;
    }
    if (value.is_number_integer())
    {
        n = value.get<long long>();
        return true;
    }
    return false;
}

bool JobArchive::IntegerValue(const Json& value, long long& n, const std::string& where) const
{
    if (!AsInteger(value, n))
        Fail(where, std::string("must be a whole number, not ") + TypeName(value));
    return true;
}

bool JobArchive::Integer(const char* key, long long& n, long long lo, long long hi)
{
    if (m_pBytes) // every number visited is of 32 bits or fewer
    {
        FlushPending();
        AppendValue(int32_t(n));
        return false;
    }
    if (m_pIn)
    {
        n = Take<int32_t>();
        return true;
    }
    if (m_pOut)
    {
        Member(key);
        PrintNumber(n, *m_pOut);
        return false;
    }
    if (m_bStoring)
    {
        Put(key) = n;
        return false;
    }
    Json* v = Find(key, Json::value_t::number_integer);
    if (!v)
        return false;
    long long read = 0;
    if (!AsInteger(*v, read)) // Find let only whole numbers through
        IntegerValue(*v, read, Where(key));
    if (read < lo || read > hi)
    {
        if (m_pResets)
            m_pResets->push_back(Where(key) + ": " + std::to_string(read) + " is outside " + std::to_string(lo) +
                                 " to " + std::to_string(hi));
        return false; // out of range: the field keeps its default
    }
    n = read;
    return true;
}

void JobArchive::IntAny(const char* key, int& v, int lo, int hi)
{
    long long n = v;
    if (Integer(key, n, lo, hi))
        v = int(n);
}

void JobArchive::BoolAny(const char* key, bool& v)
{
    if (m_pBytes)
    {
        FlushPending();
        Append(&v, 1);
    }
    else if (m_pIn)
        v = Take<char>() != 0;
    else if (m_pOut)
    {
        Member(key);
        *m_pOut += v ? "true" : "false";
    }
    else if (m_bStoring)
        Put(key) = v;
    else if (Json* j = Find(key, Json::value_t::boolean))
        v = j->get<bool>();
}

void JobArchive::BoolAny(const char* key, BOOL& v)
{
    bool b = v != FALSE;
    Bool(key, b);
    if (IsLoading())
        v = b ? TRUE : FALSE;
}

// Text is stored as UTF-8 when its bytes read in the job's code page come back the same, else as
// {"hex": "..."} with every byte: a file always holds valid UTF-8, and no byte is ever lost.
Json JobArchive::EncodeText(const CString& text) const
{
    const std::string& bytes = text.str();
    if (IsAscii(bytes))
        return bytes;
    std::string utf8 = CodePageToUtf8(bytes, m_nCodePage);
    if (Utf8ToCodePage(utf8, m_nCodePage) == bytes)
        return utf8;
    std::string hex;
    hex.reserve(bytes.size() * 2);
    for (unsigned char c : bytes)
    {
        hex += kHex[c >> 4];
        hex += kHex[c & 15];
    }
    return Json{{"hex", hex}};
}

CString JobArchive::DecodeText(const Json& value, const std::string& where) const
{
    if (value.is_string())
    {
        const std::string& utf8 = value.get_ref<const std::string&>();
        return CString(IsAscii(utf8) ? utf8 : Utf8ToCodePage(utf8, m_nCodePage));
    }
    auto hex = value.is_object() && value.size() == 1 ? value.find("hex") : value.end();
    if (hex == value.end() || !hex->is_string())
        Fail(where, std::string("must be text or {\"hex\": \"...\"}, not ") + TypeName(value));
    const std::string& digits = hex->get_ref<const std::string&>();
    if (digits.size() % 2)
        Fail(where, "hex text has an odd number of digits");
    std::string bytes(digits.size() / 2, '\0');
    for (size_t i = 0; i < bytes.size(); ++i)
    {
        int hi = HexDigit(digits[2 * i]), lo = HexDigit(digits[2 * i + 1]);
        if (hi < 0 || lo < 0)
            Fail(where, "hex text holds a character that is not a hex digit");
        bytes[i] = char(hi << 4 | lo);
    }
    return CString(std::move(bytes));
}

void JobArchive::TextAny(const char* key, CString& v)
{
    if (m_pBytes)
    {
        FlushPending();
        const std::string& bytes = v.str();
        auto size = uint32_t(bytes.size());
        Append(&size, sizeof size);
        Append(bytes.data(), bytes.size());
        return;
    }
    if (m_pIn)
    {
        auto size = Take<uint32_t>();
        std::string bytes(size, '\0');
        Take(bytes.data(), size);
        v = CString(std::move(bytes));
        return;
    }
    if (m_pOut)
    {
        Member(key);
        const std::string& bytes = v.str();
        if (IsAscii(bytes))
            PrintString(bytes, *m_pOut);
        else
        {
            Json value = EncodeText(v);
            PrintValue(value, *m_pOut, m_nDepth + 1);
            m_bLastPlain = IsPlain(value);
        }
        return;
    }
    if (m_bStoring)
    {
        Put(key) = EncodeText(v);
        return;
    }
    Json* it = Member(key, 0);
    if (!it)
        return;
    Known(key);
    if (it->is_string() && IsAscii(it->get_ref<const std::string&>())) // the place is made only for a fault
        v = CString(it->get_ref<const std::string&>());
    else
        v = DecodeText(*it, Where(key));
}

// "#RRGGBB" for a plain colour; a COLORREF with its high byte set (a system colour, CLR_DEFAULT) as a number.
void JobArchive::ColourAny(const char* key, COLORREF& v)
{
    if (m_pBytes)
    {
        FlushPending();
        AppendValue(uint32_t(v));
        return;
    }
    if (m_pIn)
    {
        v = Take<uint32_t>();
        return;
    }
    if (m_bStoring)
    {
        if (v >> 24)
        {
            if (m_pOut)
            {
                Member(key);
                PrintNumber(v, *m_pOut);
            }
            else
                Put(key) = v;
            return;
        }
        char text[8] = {'#'};
        BYTE rgb[3] = {GetRValue(v), GetGValue(v), GetBValue(v)};
        for (int i = 0; i < 3; ++i)
        {
            text[1 + 2 * i] = kHex[rgb[i] >> 4];
            text[2 + 2 * i] = kHex[rgb[i] & 15];
        }
        if (m_pOut)
        {
            Member(key);
            PrintString(std::string_view(text, 7), *m_pOut);
        }
        else
            Put(key) = text;
        return;
    }
    Json* it = Member(key, 0);
    if (!it)
        return;
    Known(key);
    if (it->is_number_integer())
    {
        long long n = 0;
        AsInteger(*it, n); // a whole number: the check above
        if (n >= 0 && n <= 0xFFFFFFFFll)
            v = COLORREF(n);
        return;
    }
    const std::string* s = it->is_string() ? &it->get_ref<const std::string&>() : nullptr;
    if (!s || s->size() != 7 || (*s)[0] != '#')
        Fail(Where(key), "must be a colour \"#RRGGBB\"");
    int d[6];
    for (int i = 0; i < 6; ++i)
        if ((d[i] = HexDigit((*s)[1 + i])) < 0)
            Fail(Where(key), "must be a colour \"#RRGGBB\"");
    v = RGB(d[0] << 4 | d[1], d[2] << 4 | d[3], d[4] << 4 | d[5]);
}

void JobArchive::Finish()
{
    if (IsBytes())
    {
        FlushPending();
        if (m_pSink == &m_sink)
            m_sink.out->resize(size_t(m_sink.at - m_sink.out->data()));
        return;
    }
    if (m_pOut)
        Close();
    if (m_bStoring || m_known.size() == m_pObj->size())
        return;
    for (auto it = m_pObj->begin(); it != m_pObj->end(); ++it)
    {
        bool known = false;
        for (const char* k : m_known)
            if (it.key() == k)
            {
                known = true;
                break;
            }
        if (!known)
        {
            if (m_left.is_null())
                m_left = Json::object();
            m_left[it.key()] = *it;
        }
    }
    if (m_pParent && !m_left.is_null() && m_nIndex < 0)
    {
        if (m_pParent->m_left.is_null())
            m_pParent->m_left = Json::object();
        m_pParent->m_left[m_strName] = std::move(m_left);
        m_left = Json();
    }
}

namespace
{

void Merge(Json& dst, Json& extra)
{
    if (dst.is_object() && extra.is_object())
    {
        for (auto it = extra.begin(); it != extra.end(); ++it)
        {
            auto at = dst.find(it.key());
            if (at == dst.end())
                dst[it.key()] = std::move(*it);
            else
                Merge(*at, *it);
        }
    }
}

} // namespace

void MergeLeftovers(Json& obj, const std::string& leftovers)
{
    if (leftovers.empty())
        return;
    Json extra = Json::parse(leftovers, nullptr, false);
    if (!extra.is_discarded())
        Merge(obj, extra);
}

namespace
{

// Text as a JSON string. Every string of a job's tree is valid UTF-8 (converted from the code page, or read
// from a file the parser checked), so only quotes, backslashes and control characters need escapes; this
// spares the library's printer, set up afresh for each value, on the file's most common value.
void PrintString(std::string_view s, std::string& out)
{
    out += '"';
    for (char c : s)
    {
        switch (c)
        {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (static_cast<unsigned char>(c) < 0x20)
            {
                out += "\\u00";
                out += kHex[c >> 4];
                out += kHex[c & 15];
            }
            else
                out += c;
        }
    }
    out += '"';
}

void PrintValue(const Json& v, std::string& out, int depth)
{
    switch (v.type())
    {
    case Json::value_t::boolean: out += v.get<bool>() ? "true" : "false"; return;
    case Json::value_t::number_integer: PrintNumber(v.get<long long>(), out); return;
    case Json::value_t::number_unsigned: PrintNumber(v.get<unsigned long long>(), out); return;
    case Json::value_t::string: PrintString(v.get_ref<const std::string&>(), out); return;
    case Json::value_t::object:
    case Json::value_t::array: break;
    default: out += v.dump(-1, ' ', false, Json::error_handler_t::replace); return;
    }
    bool object = v.is_object();
    if (v.empty())
    {
        out += object ? "{}" : "[]";
        return;
    }
    // Plain values of an array, and text in its hex form, stay on one line.
    bool inline_ = !object || v.size() == 1;
    for (const Json& e : v)
        inline_ = inline_ && IsPlain(e);
    out += object ? '{' : '[';
    bool first = true;
    for (auto it = v.begin(); it != v.end(); ++it)
    {
        out += first ? "" : ",";
        first = false;
        if (inline_)
            out += out.back() == '[' || out.back() == '{' ? "" : " ";
        else
        {
            out += '\n';
            out.append(size_t(depth + 1), '\t');
        }
        if (object)
        {
            PrintString(it.key(), out);
            out += ": ";
        }
        PrintValue(*it, out, depth + 1);
    }
    if (!inline_)
    {
        out += '\n';
        out.append(size_t(depth), '\t');
    }
    out += object ? '}' : ']';
}

} // namespace

std::string PrintJobJson(const Json& root)
{
    std::string out;
    PrintValue(root, out, 0);
    out += '\n';
    return out;
}

// ---------------------------------------------------------------------------------------------------------------
// Storing into text. The layout is PrintValue's: a member a line, except an object of one plain member, which stays
// on its line; that is known only at the end, where such an object is joined up again.

Json& JobArchive::Put(const char* key)
{
    if (!m_pOut && !m_pBytes)
        return (*m_pObj)[key];
    FlushPending();
    m_bPending = true;
    m_strPendingKey = key;
    m_pending = Json();
    return m_pending;
}

void JobArchive::Erase(const char* key)
{
    if (!m_pOut && !m_pBytes)
        m_pObj->erase(key);
    else if (m_bPending && m_strPendingKey == key)
        m_bPending = false;
}

void JobArchive::Member(const char* key)
{
    FlushPending();
    std::string& out = *m_pOut;
    if (m_nMembers++)
        out += ',';
    out += '\n';
    out.append(size_t(m_nDepth + 1), '\t');
    PrintString(key, out);
    out += ": ";
    m_nValueStart = out.size();
    m_bLastPlain = true;
}

void JobArchive::FlushPending()
{
    if (!m_bPending)
        return;
    m_bPending = false;
    if (m_pBytes)
    {
        std::string text = m_pending.dump();
        auto size = uint32_t(text.size());
        Append(&size, sizeof size);
        Append(text.data(), text.size());
        return;
    }
    Member(m_strPendingKey.c_str());
    PrintValue(m_pending, *m_pOut, m_nDepth + 1);
    m_bLastPlain = IsPlain(m_pending);
}

size_t JobArchive::Mark()
{
    FlushPending();
    return m_pOut->size();
}

std::string_view JobArchive::LastValue() const { return std::string_view(*m_pOut).substr(m_nValueStart); }

void JobArchive::Rewind(size_t mark, int members)
{
    m_pOut->resize(mark);
    m_nMembers = members;
}

void JobArchive::Close()
{
    if (m_bClosed)
        return;
    FlushPending();
    m_bClosed = true;
    std::string& out = *m_pOut;
    if (m_nMembers == 1 && m_bLastPlain)
        out.erase(m_nOpen, size_t(m_nDepth + 2)); // its line break and indent
    else if (m_nMembers)
    {
        out += '\n';
        out.append(size_t(m_nDepth), '\t');
    }
    out += '}';
}

void JobArchive::BeginArray(const char* key)
{
    Member(key);
    *m_pOut += '[';
    m_nArrayElements = 0;
}

void JobArchive::Element()
{
    std::string& out = *m_pOut;
    if (m_nArrayElements++)
        out += ',';
    out += '\n';
    out.append(size_t(m_nDepth + 2), '\t');
}

void JobArchive::PrintElement(const Json& value) { PrintValue(value, *m_pOut, m_nDepth + 2); }

void JobArchive::EndArray()
{
    std::string& out = *m_pOut;
    if (m_nArrayElements > 0)
    {
        out += '\n';
        out.append(size_t(m_nDepth + 1), '\t');
    }
    out += ']';
    m_nArrayElements = -1;
    m_bLastPlain = false;
}
