#include "host/sim/SimExpression.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace
{

bool ReadNumber(const std::string& s, double& d)
{
    size_t b = s.find_first_not_of(' ');
    size_t e = s.find_last_not_of(' ');
    if (b == std::string::npos)
        return false;
    std::string t = s.substr(b, e - b + 1);
    const char* p = t.c_str();
    if (!(std::isdigit(static_cast<unsigned char>(*p)) || *p == '-' || *p == '+' || *p == '.'))
        return false;
    char* end = nullptr;
    d = std::strtod(p, &end);
    return end && *end == 0 && std::isfinite(d);
}

// A piece of the text for a message, never ending inside a character of more than one byte: a byte above 127 takes
// the byte after it along (a UTF-8 sequence, or a double-byte character of the Chinese and Japanese code pages).
std::string Excerpt(std::string_view text, size_t from, size_t bytes)
{
    size_t end = std::min(text.size(), from + bytes);
    // A character is at most four bytes long.
    for (int more = 0; more < 3 && end < text.size() && end > from; ++more)
    {
        if (static_cast<unsigned char>(text[end - 1]) < 0x80 && (static_cast<unsigned char>(text[end]) & 0xC0) != 0x80)
            break;
        ++end;
    }
    return std::string(text.substr(from, end - from));
}

// Each level of nesting costs the parser a few stack frames: a limit keeps a hostile expression from exhausting the
// stack, far above anything a person writes.
constexpr int kMaxDepth = 100;
// A formula that joins its own value doubles it on every pass: texts stay far below what would exhaust the memory.
constexpr size_t kMaxText = size_t(64) << 10;

std::string Upper(std::string s)
{
    for (char& c : s)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

class Parser
{
  public:
    Parser(std::string_view text, const SimNameLookup& lookup) : m_text(text), m_lookup(lookup) {}

    bool Run(SimValue& result, std::string* error)
    {
        result = Or();
        Skip();
        if (m_error.empty() && m_pos < m_text.size())
            Fail("unexpected \"" + Excerpt(m_text, m_pos, 10) + "\"");
        if (!m_error.empty() && error)
            *error = m_error;
        return m_error.empty();
    }

  private:
    // Counts the nesting for as long as it lives; false when the expression is nested too deeply.
    class Nest
    {
      public:
        explicit Nest(Parser& p) : m_p(p)
        {
            if (++m_p.m_depth > kMaxDepth)
                m_p.Fail("the expression is nested more than " + std::to_string(kMaxDepth) + " levels deep");
        }
        ~Nest() { --m_p.m_depth; }
        bool Deep() const { return m_p.m_depth > kMaxDepth; }

      private:
        Parser& m_p;
    };

    void Fail(const std::string& message)
    {
        if (m_error.empty())
            m_error = message;
    }
    void Skip()
    {
        while (m_pos < m_text.size() && std::isspace(static_cast<unsigned char>(m_text[m_pos])))
            ++m_pos;
    }
    // The symbol or keyword at the cursor; keywords only as whole words.
    bool Accept(std::string_view token)
    {
        Skip();
        if (m_text.size() - m_pos < token.size())
            return false;
        for (size_t i = 0; i < token.size(); ++i)
            if (std::toupper(static_cast<unsigned char>(m_text[m_pos + i])) != token[i])
                return false;
        if (std::isalpha(static_cast<unsigned char>(token[0])))
        {
            size_t after = m_pos + token.size();
            if (after < m_text.size() && (std::isalnum(static_cast<unsigned char>(m_text[after])) || m_text[after] == '_'))
                return false;
        }
        m_pos += token.size();
        return true;
    }

    SimValue Or()
    {
        Nest nest(*this);
        if (nest.Deep())
            return {};
        SimValue v = And();
        while (m_error.empty() && (Accept("OR") || Accept("||")))
        {
            SimValue r = And();
            v = SimValue::Number(v.IsTrue() || r.IsTrue());
        }
        return v;
    }
    SimValue And()
    {
        SimValue v = Not();
        while (m_error.empty() && (Accept("AND") || Accept("&&")))
        {
            SimValue r = Not();
            v = SimValue::Number(v.IsTrue() && r.IsTrue());
        }
        return v;
    }
    SimValue Not()
    {
        if (Accept("NOT") || (Peek('!') && !PeekAt(1, '=') && Accept("!")))
        {
            Nest nest(*this);
            return nest.Deep() ? SimValue{} : SimValue::Number(!Not().IsTrue());
        }
        return Compare();
    }
    bool Peek(char c)
    {
        Skip();
        return m_pos < m_text.size() && m_text[m_pos] == c;
    }
    bool PeekAt(size_t offset, char c) { return m_pos + offset < m_text.size() && m_text[m_pos + offset] == c; }

    SimValue Compare()
    {
        SimValue a = Add();
        static const char* const ops[] = {"==", "<>", "!=", "<=", ">=", "=", "<", ">"};
        for (const char* op : ops)
        {
            if (!Accept(op))
                continue;
            SimValue b = Add();
            double x, y;
            int c;
            if (a.AsNumber(x) && b.AsNumber(y))
                c = x < y ? -1 : x > y ? 1 : 0;
            else
            {
                std::string s = a.bNumber ? a.Format() : a.str, t = b.bNumber ? b.Format() : b.str;
                c = s < t ? -1 : s > t ? 1 : 0;
            }
            std::string o = op;
            bool r = o == "==" || o == "=" ? c == 0 : o == "<>" || o == "!=" ? c != 0 : o == "<=" ? c <= 0
                     : o == ">=" ? c >= 0 : o == "<" ? c < 0 : c > 0;
            return SimValue::Number(r);
        }
        return a;
    }
    SimValue Add()
    {
        SimValue v = Mul();
        while (m_error.empty())
        {
            if (Accept("+"))
            {
                SimValue r = Mul();
                double x, y;
                if (v.AsNumber(x) && r.AsNumber(y) && (v.bNumber || r.bNumber))
                    v = SimValue::Number(x + y);
                else
                    v = Join(v, r);
            }
            else if (Peek('&') && !PeekAt(1, '&') && Accept("&"))
            {
                v = Join(v, Mul());
            }
            else if (Accept("-"))
                v = Arith(v, Mul(), '-');
            else
                break;
        }
        return v;
    }
    SimValue Mul()
    {
        SimValue v = Unary();
        while (m_error.empty())
        {
            if (Accept("*"))
                v = Arith(v, Unary(), '*');
            else if (Accept("/"))
                v = Arith(v, Unary(), '/');
            else if (Accept("%") || Accept("MOD"))
                v = Arith(v, Unary(), '%');
            else
                break;
        }
        return v;
    }
    SimValue Join(const SimValue& a, const SimValue& b)
    {
        std::string s = a.bNumber ? a.Format() : a.str;
        const std::string& t = b.bNumber ? b.Format() : b.str;
        if (s.size() + t.size() > kMaxText)
        {
            Fail("the text grows longer than " + std::to_string(kMaxText) + " characters");
            return {};
        }
        return SimValue::Text(s + t);
    }
    SimValue Arith(const SimValue& a, const SimValue& b, char op)
    {
        double x, y;
        if (!a.AsNumber(x) || !b.AsNumber(y))
        {
            Fail(std::string("\"") + op + "\" needs numbers");
            return {};
        }
        if ((op == '/' || op == '%') && y == 0)
        {
            Fail("division by zero");
            return {};
        }
        switch (op)
        {
        case '-':
            return SimValue::Number(x - y);
        case '*':
            return SimValue::Number(x * y);
        case '/':
            return SimValue::Number(x / y);
        default:
            return SimValue::Number(std::fmod(x, y));
        }
    }
    SimValue Unary()
    {
        if (Accept("-"))
        {
            Nest nest(*this);
            if (nest.Deep())
                return {};
            SimValue v = Unary();
            double x;
            if (!v.AsNumber(x))
                Fail("\"-\" needs a number");
            return SimValue::Number(-x);
        }
        return Primary();
    }
    SimValue Primary()
    {
        Skip();
        if (m_pos >= m_text.size())
        {
            Fail("the expression ends too early");
            return {};
        }
        char c = m_text[m_pos];
        if (c == '(')
        {
            ++m_pos;
            SimValue v = Or();
            if (!Accept(")"))
                Fail("\")\" is missing");
            return v;
        }
        if (c == '"')
        {
            size_t end = m_text.find('"', m_pos + 1);
            if (end == std::string_view::npos)
            {
                Fail("a string has no closing quote");
                return {};
            }
            SimValue v = SimValue::Text(std::string(m_text.substr(m_pos + 1, end - m_pos - 1)));
            m_pos = end + 1;
            return v;
        }
        if (std::isdigit(static_cast<unsigned char>(c)) || c == '.')
        {
            size_t start = m_pos;
            while (m_pos < m_text.size() && (std::isdigit(static_cast<unsigned char>(m_text[m_pos])) || m_text[m_pos] == '.'))
                ++m_pos;
            double d;
            if (!ReadNumber(std::string(m_text.substr(start, m_pos - start)), d))
                Fail("\"" + std::string(m_text.substr(start, m_pos - start)) + "\" is not a number");
            return SimValue::Number(d);
        }
        std::string name;
        if (c == '[')
        {
            size_t end = m_text.find(']', m_pos);
            if (end == std::string_view::npos)
            {
                Fail("a name in brackets has no \"]\"");
                return {};
            }
            name = std::string(m_text.substr(m_pos + 1, end - m_pos - 1));
            m_pos = end + 1;
            return Name(name);
        }
        if (!std::isalpha(static_cast<unsigned char>(c)) && c != '_')
        {
            Fail("unexpected \"" + Excerpt(m_text, m_pos, 1) + "\"");
            return {};
        }
        while (m_pos < m_text.size() &&
               (std::isalnum(static_cast<unsigned char>(m_text[m_pos])) || m_text[m_pos] == '_'))
            name += m_text[m_pos++];
        if (Peek('('))
            return Function(Upper(name));
        return Name(name);
    }
    SimValue Name(const std::string& name)
    {
        SimValue v;
        if (!m_lookup || !m_lookup(name, v))
            Fail("unknown name \"" + name + "\"");
        return v;
    }
    SimValue Function(const std::string& name)
    {
        Accept("(");
        std::vector<SimValue> args;
        if (!Accept(")"))
        {
            do
                args.push_back(Or());
            while (m_error.empty() && Accept(","));
            if (!Accept(")"))
                Fail("\")\" is missing after the arguments of " + name);
        }
        if (!m_error.empty())
            return {};
        auto text = [&](size_t i) { return args[i].bNumber ? args[i].Format() : args[i].str; };
        auto number = [&](size_t i) {
            double d = 0;
            if (!args[i].AsNumber(d))
                Fail(name + " needs a number");
            return d;
        };
        const size_t want = name == "LEFT" || name == "RIGHT" ? 2 : name == "MID" ? 3 : 1;
        if (name != "LEN" && name != "VAL" && name != "TRIM" && name != "LEFT" && name != "RIGHT" && name != "MID")
        {
            Fail("unknown function " + name);
            return {};
        }
        if (args.size() != want)
        {
            Fail(name + " takes " + std::to_string(want) + " argument" + (want > 1 ? "s" : ""));
            return {};
        }
        std::string s = text(0);
        if (name == "LEN")
            return SimValue::Number(double(s.size()));
        if (name == "VAL")
        {
            double d = 0;
            return SimValue::Number(ReadNumber(s, d) ? d : 0);
        }
        if (name == "TRIM")
        {
            size_t b = s.find_first_not_of(' '), e = s.find_last_not_of(' ');
            return SimValue::Text(b == std::string::npos ? "" : s.substr(b, e - b + 1));
        }
        size_t n = size_t(std::max(0.0, number(1)));
        if (name == "LEFT")
            return SimValue::Text(s.substr(0, std::min(n, s.size())));
        if (name == "RIGHT")
            return SimValue::Text(s.substr(s.size() - std::min(n, s.size())));
        size_t start = n > 0 ? n - 1 : 0; // MID counts from 1
        size_t count = size_t(std::max(0.0, number(2)));
        return SimValue::Text(start < s.size() ? s.substr(start, count) : "");
    }

    std::string_view m_text;
    const SimNameLookup& m_lookup;
    size_t m_pos = 0;
    int m_depth = 0;
    std::string m_error;
};

} // namespace

std::string SimValue::Format() const
{
    if (!bNumber)
        return str;
    if (std::fabs(dNumber) < 1e15 && dNumber == std::floor(dNumber))
        return std::to_string((long long)dNumber);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.10g", dNumber);
    return buf;
}

bool SimValue::AsNumber(double& d) const
{
    if (bNumber)
    {
        d = dNumber;
        return true;
    }
    return ReadNumber(str, d);
}

bool SimValue::IsTrue() const
{
    return bNumber ? dNumber != 0 : !str.empty();
}

bool EvaluateExpression(std::string_view text, const SimNameLookup& lookup, SimValue& result, std::string* error)
{
    Parser parser(text, lookup);
    return parser.Run(result, error);
}
