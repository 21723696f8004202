// Resource script parser: a small C preprocessor feeding a recursive-descent parser for the rc statements we
// use. Values follow rc.exe: control styles carry the statement's implied bits, expressions have no operator
// precedence, and NOT clears bits from whatever has been accumulated to its left.
#include "platform/rcscript.h"

#include "platform/winstyles.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <deque>
#include <set>

namespace pdt::rc
{

ParseError::ParseError(std::string file, int line, const std::string &message)
    : std::runtime_error(file + ":" + std::to_string(line) + ": " + message), m_file(std::move(file)), m_line(line)
{
}

const DialogTemplate *ResourceScript::FindDialog(int id) const
{
    auto it = dialogs.find(id);
    return it == dialogs.end() ? nullptr : &it->second;
}

const MenuTemplate *ResourceScript::FindMenu(int id) const
{
    auto it = menus.find(id);
    return it == menus.end() ? nullptr : &it->second;
}

const std::string *ResourceScript::FindString(int id) const
{
    auto it = strings.find(id);
    return it == strings.end() ? nullptr : &it->second;
}

namespace
{

// Named constants a script may use without including windows.h: the same list the C++ code compiles against.
const std::map<std::string_view, uint32_t> &Builtins()
{
    static const std::map<std::string_view, uint32_t> table = {
#define PDT_RC_BUILTIN(name, value) {#name, uint32_t(value)},
        PDT_STYLE_CONSTANTS(PDT_RC_BUILTIN)
#undef PDT_RC_BUILTIN
    };
    return table;
}

#define PDT_RC_CONSTANT(name, value) constexpr uint32_t name = uint32_t(value);
PDT_STYLE_CONSTANTS(PDT_RC_CONSTANT)
#undef PDT_RC_CONSTANT

std::optional<uint32_t> Builtin(std::string_view name)
{
    auto it = Builtins().find(name);
    if (it == Builtins().end())
        return std::nullopt;
    return it->second;
}

// Menu option bits not needed elsewhere in the code.
constexpr uint32_t kMenuBarBreak = 0x0020;
constexpr uint32_t kMenuBreak = 0x0040;
constexpr uint32_t kMenuHelp = 0x4000;

std::string Upper(std::string_view s)
{
    std::string out(s);
    for (char &c : out)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

bool IEquals(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
           });
}

bool IsIdentStart(char c)
{
    return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
}

bool IsIdentChar(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

// Decimal, 0x hex or 0o octal, with optional L/U suffixes; wraps to 32 bits like rc.exe.
std::optional<uint32_t> ParseNumber(std::string_view text)
{
    while (!text.empty() && std::strchr("lLuU", text.back()))
        text.remove_suffix(1);
    unsigned base = 10;
    if (text.size() > 1 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        base = 16, text.remove_prefix(2);
    else if (text.size() > 1 && text[0] == '0' && (text[1] == 'o' || text[1] == 'O'))
        base = 8, text.remove_prefix(2);
    if (text.empty())
        return std::nullopt;
    uint32_t value = 0;
    for (char c : text)
    {
        unsigned digit;
        if (c >= '0' && c <= '9')
            digit = unsigned(c - '0');
        else if (c >= 'a' && c <= 'f')
            digit = unsigned(c - 'a' + 10);
        else if (c >= 'A' && c <= 'F')
            digit = unsigned(c - 'A' + 10);
        else
            return std::nullopt;
        if (digit >= base)
            return std::nullopt;
        value = value * base + digit;
    }
    return value;
}

// Nesting is bounded so that a hostile script cannot exhaust the stack.
constexpr int kMaxNesting = 200;

class NestingGuard
{
  public:
    explicit NestingGuard(int &depth) : m_depth(depth)
    {
        ++m_depth;
    }
    ~NestingGuard()
    {
        --m_depth;
    }
    bool TooDeep() const
    {
        return m_depth > kMaxNesting;
    }

  private:
    int &m_depth;
};

enum class Tok
{
    End,
    Ident,
    Number,
    String,
    Punct
};

struct Token
{
    Tok kind = Tok::End;
    std::string text; // identifier, punctuation, the decoded string bytes or the number as spelled
    uint32_t value = 0;
    int file = 0;
    int line = 0;
};

struct Directive
{
    std::string name;
    std::string rest; // comments removed, continuation lines joined
    int line = 0;
};

// Names of the files seen so far; tokens refer to them by index so messages can name the right file.
class FileTable
{
  public:
    int Add(std::string name)
    {
        m_names.push_back(std::move(name));
        return int(m_names.size()) - 1;
    }
    const std::string &Name(int index) const
    {
        return m_names.at(size_t(index));
    }

    [[noreturn]] void Fail(int file, int line, const std::string &message) const
    {
        throw ParseError(Name(file), line, message);
    }
    [[noreturn]] void Fail(const Token &at, const std::string &message) const
    {
        Fail(at.file, at.line, message);
    }

  private:
    std::vector<std::string> m_names;
};

class Lexer
{
  public:
    enum class Item
    {
        Token,
        Directive,
        End
    };

    Lexer(std::string_view text, int file, int line, const FileTable &files, bool directives)
        : m_text(text), m_file(file), m_line(line), m_files(files), m_directives(directives)
    {
        if (m_text.substr(0, 3) == "\xEF\xBB\xBF")
            m_pos = 3;
    }

    // When skipping (a false #if branch, or the body of a C header), only directives are recognised.
    Item Next(Token &tok, Directive &dir, bool skipping)
    {
        for (;;)
        {
            if (m_pos >= m_text.size())
                return Item::End;
            char c = m_text[m_pos];
            if (c == '\n')
            {
                ++m_line, ++m_pos;
                m_lineStart = true;
                continue;
            }
            if (c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v')
            {
                ++m_pos;
                continue;
            }
            if (c == '/' && Ahead(1) == '/')
            {
                while (m_pos < m_text.size() && m_text[m_pos] != '\n')
                    ++m_pos;
                continue;
            }
            if (c == '/' && Ahead(1) == '*')
            {
                SkipBlockComment();
                continue;
            }
            if (c == '#' && m_lineStart && m_directives)
            {
                ReadDirective(dir);
                return Item::Directive;
            }
            m_lineStart = false;
            if (skipping)
            {
                SkipQuietly();
                continue;
            }
            ReadToken(tok);
            return Item::Token;
        }
    }

  private:
    char Ahead(size_t n) const
    {
        return m_pos + n < m_text.size() ? m_text[m_pos + n] : '\0';
    }

    void SkipBlockComment()
    {
        int startLine = m_line;
        m_pos += 2;
        for (;;)
        {
            if (m_pos >= m_text.size())
                m_files.Fail(m_file, startLine, "unterminated comment");
            if (m_text[m_pos] == '*' && Ahead(1) == '/')
            {
                m_pos += 2;
                return;
            }
            if (m_text[m_pos] == '\n')
                ++m_line;
            ++m_pos;
        }
    }

    // Skipped text is not tokenised, but a quoted string must not hide a comment start from us or vice versa.
    void SkipQuietly()
    {
        if (m_text[m_pos] != '"')
        {
            ++m_pos;
            return;
        }
        ++m_pos;
        while (m_pos < m_text.size() && m_text[m_pos] != '\n' && m_text[m_pos] != '"')
            ++m_pos;
        if (m_pos < m_text.size() && m_text[m_pos] == '"')
            ++m_pos;
    }

    void ReadDirective(Directive &dir)
    {
        dir = Directive{};
        dir.line = m_line;
        ++m_pos;
        while (m_pos < m_text.size() && (m_text[m_pos] == ' ' || m_text[m_pos] == '\t'))
            ++m_pos;
        while (m_pos < m_text.size() && IsIdentChar(m_text[m_pos]))
            dir.name += m_text[m_pos++];
        while (m_pos < m_text.size())
        {
            char c = m_text[m_pos];
            if (c == '\n')
                break;
            if (c == '\\' && (Ahead(1) == '\n' || (Ahead(1) == '\r' && Ahead(2) == '\n')))
            {
                m_pos += Ahead(1) == '\r' ? 3 : 2;
                ++m_line;
                dir.rest += ' ';
                continue;
            }
            if (c == '/' && Ahead(1) == '/')
            {
                while (m_pos < m_text.size() && m_text[m_pos] != '\n')
                    ++m_pos;
                break;
            }
            if (c == '/' && Ahead(1) == '*')
            {
                SkipBlockComment();
                dir.rest += ' ';
                continue;
            }
            if (c == '"')
            {
                dir.rest += c;
                ++m_pos;
                while (m_pos < m_text.size() && m_text[m_pos] != '"' && m_text[m_pos] != '\n')
                {
                    if (m_text[m_pos] == '\\' && Ahead(1) != '\n' && m_pos + 1 < m_text.size())
                        dir.rest += m_text[m_pos++];
                    dir.rest += m_text[m_pos++];
                }
                if (m_pos < m_text.size() && m_text[m_pos] == '"')
                    dir.rest += m_text[m_pos++];
                continue;
            }
            if (c != '\r')
                dir.rest += c;
            ++m_pos;
        }
        m_lineStart = true;
    }

    void ReadToken(Token &tok)
    {
        tok = Token{};
        tok.file = m_file;
        tok.line = m_line;
        char c = m_text[m_pos];
        if (IsIdentStart(c))
        {
            if ((c == 'L' || c == 'l') && Ahead(1) == '"')
            {
                ++m_pos; // wide strings keep the script's bytes like narrow ones
                ReadString(tok);
                return;
            }
            size_t start = m_pos;
            while (m_pos < m_text.size() && IsIdentChar(m_text[m_pos]))
                ++m_pos;
            tok.kind = Tok::Ident;
            tok.text = std::string(m_text.substr(start, m_pos - start));
            return;
        }
        if (std::isdigit(static_cast<unsigned char>(c)))
        {
            size_t start = m_pos;
            while (m_pos < m_text.size() && IsIdentChar(m_text[m_pos]))
                ++m_pos;
            tok.kind = Tok::Number;
            tok.text = std::string(m_text.substr(start, m_pos - start));
            auto value = ParseNumber(tok.text);
            if (!value)
                m_files.Fail(tok, "invalid number '" + tok.text + "'");
            tok.value = *value;
            return;
        }
        if (c == '"')
        {
            ReadString(tok);
            return;
        }
        static constexpr std::string_view kPairs[] = {"&&", "||", "==", "!=", "<=", ">=", "<<", ">>"};
        tok.kind = Tok::Punct;
        for (std::string_view pair : kPairs)
        {
            if (m_text.substr(m_pos, 2) == pair)
            {
                tok.text = std::string(pair);
                m_pos += 2;
                return;
            }
        }
        tok.text = std::string(1, c);
        ++m_pos;
    }

    // rc.exe string rules: "" is a quote; \n \r \t \a \\ \ooo \xhh are escapes; other backslashes stay as written.
    void ReadString(Token &tok)
    {
        tok.kind = Tok::String;
        ++m_pos;
        std::string &out = tok.text;
        for (;;)
        {
            if (m_pos >= m_text.size() || m_text[m_pos] == '\n')
                m_files.Fail(tok, "unterminated string");
            char c = m_text[m_pos++];
            if (c == '"')
            {
                if (m_pos < m_text.size() && m_text[m_pos] == '"')
                {
                    out += '"';
                    ++m_pos;
                    continue;
                }
                return;
            }
            if (c != '\\')
            {
                out += c;
                continue;
            }
            if (m_pos >= m_text.size() || m_text[m_pos] == '\n' || m_text[m_pos] == '\r')
                m_files.Fail(tok, "unterminated string");
            char e = m_text[m_pos++];
            switch (e)
            {
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            case 't':
            case 'T':
                out += '\t';
                break;
            case 'a':
            case 'A':
                out += '\b'; // rc.exe's \a is a backspace, the right-align marker in menu text
                break;
            case '\\':
                out += '\\';
                break;
            case '"':
                m_files.Fail(tok, "\\\" does not escape a quote in a resource script; write \"\"");
            case 'x':
            case 'X': {
                unsigned value = 0;
                for (int i = 0;
                     i < 2 && m_pos < m_text.size() && std::isxdigit(static_cast<unsigned char>(m_text[m_pos])); ++i)
                {
                    char h = m_text[m_pos++];
                    value = value * 16 +
                            unsigned(std::isdigit(static_cast<unsigned char>(h)) ? h - '0' : (h | 0x20) - 'a' + 10);
                }
                out += char(value);
                break;
            }
            default:
                if (e >= '0' && e <= '7')
                {
                    unsigned value = unsigned(e - '0');
                    for (int i = 1; i < 3 && m_pos < m_text.size() && m_text[m_pos] >= '0' && m_text[m_pos] <= '7'; ++i)
                        value = value * 8 + unsigned(m_text[m_pos++] - '0');
                    out += char(value & 0xFF);
                }
                else
                {
                    out += '\\';
                    out += e;
                }
            }
        }
    }

    std::string_view m_text;
    size_t m_pos = 0;
    int m_file;
    int m_line;
    const FileTable &m_files;
    bool m_directives;
    bool m_lineStart = true;
};

std::vector<Token> Tokenize(std::string_view text, int file, int line, const FileTable &files)
{
    Lexer lexer(text, file, line, files, false);
    std::vector<Token> out;
    Token tok;
    Directive unused;
    while (lexer.Next(tok, unused, false) == Lexer::Item::Token)
        out.push_back(tok);
    return out;
}

struct Macro
{
    std::vector<Token> body;
    bool functionLike = false;
    bool predefined = false;
};

using MacroTable = std::map<std::string, Macro>;

bool IsSystemHeader(std::string_view name)
{
    static constexpr std::string_view kHeaders[] = {"windows.h",  "winres.h",  "winresrc.h", "afxres.h",
                                                    "commctrl.h", "winuser.h", "winuser.rh", "richedit.h",
                                                    "winver.h",   "dlgs.h",    "prsht.h",    "winnt.h"};
    size_t slash = name.find_last_of("/\\");
    std::string_view base = slash == std::string_view::npos ? name : name.substr(slash + 1);
    return std::any_of(std::begin(kHeaders), std::end(kHeaders), [&](std::string_view h) { return IEquals(h, base); });
}

// rc.exe reads only the preprocessor lines of C headers and sources.
bool IsCHeader(std::string_view name)
{
    for (std::string_view ext : {".h", ".hh", ".hpp", ".hxx", ".c"})
        if (name.size() > ext.size() && IEquals(name.substr(name.size() - ext.size()), ext))
            return true;
    return false;
}

// C expression over #if operands, with C precedence (unlike resource statements).
class IfExpression
{
  public:
    IfExpression(const std::vector<Token> &toks, const FileTable &files, int file, int line)
        : m_toks(toks), m_files(files), m_file(file), m_line(line)
    {
    }

    int64_t Evaluate()
    {
        if (m_toks.empty())
            Fail("#if with no expression");
        int64_t value = Conditional();
        if (m_pos != m_toks.size())
            Fail("unexpected '" + m_toks[m_pos].text + "' in #if expression");
        return value;
    }

  private:
    [[noreturn]] void Fail(const std::string &message) const
    {
        m_files.Fail(m_file, m_line, message);
    }

    bool Accept(std::string_view punct)
    {
        if (m_pos < m_toks.size() && m_toks[m_pos].kind == Tok::Punct && m_toks[m_pos].text == punct)
        {
            ++m_pos;
            return true;
        }
        return false;
    }

    int64_t Conditional()
    {
        int64_t cond = Binary(0);
        if (!Accept("?"))
            return cond;
        int64_t a = Conditional();
        if (!Accept(":"))
            Fail("missing ':' in #if expression");
        int64_t b = Conditional();
        return cond ? a : b;
    }

    int64_t Binary(int level)
    {
        static const std::vector<std::vector<std::string_view>> kLevels = {
            {"||"},       {"&&"},     {"|"},          {"^"}, {"&"}, {"==", "!="}, {"<", ">", "<=", ">="},
            {"<<", ">>"}, {"+", "-"}, {"*", "/", "%"}};
        if (level == int(kLevels.size()))
            return Unary();
        int64_t lhs = Binary(level + 1);
        for (;;)
        {
            std::string_view op;
            for (std::string_view candidate : kLevels[size_t(level)])
                if (Accept(candidate))
                {
                    op = candidate;
                    break;
                }
            if (op.empty())
                return lhs;
            int64_t rhs = Binary(level + 1);
            if ((op == "/" || op == "%") && rhs == 0)
                Fail("division by zero in #if expression");
            if (op == "||")
                lhs = lhs || rhs;
            else if (op == "&&")
                lhs = lhs && rhs;
            else if (op == "|")
                lhs |= rhs;
            else if (op == "^")
                lhs ^= rhs;
            else if (op == "&")
                lhs &= rhs;
            else if (op == "==")
                lhs = lhs == rhs;
            else if (op == "!=")
                lhs = lhs != rhs;
            else if (op == "<")
                lhs = lhs < rhs;
            else if (op == ">")
                lhs = lhs > rhs;
            else if (op == "<=")
                lhs = lhs <= rhs;
            else if (op == ">=")
                lhs = lhs >= rhs;
            else if (op == "<<")
                lhs = int64_t(uint64_t(lhs) << (rhs & 63));
            else if (op == ">>")
                lhs >>= (rhs & 63);
            else if (op == "+")
                lhs = int64_t(uint64_t(lhs) + uint64_t(rhs));
            else if (op == "-")
                lhs = int64_t(uint64_t(lhs) - uint64_t(rhs));
            else if (op == "*")
                lhs = int64_t(uint64_t(lhs) * uint64_t(rhs));
            else if (op == "/")
                lhs = (lhs == INT64_MIN && rhs == -1) ? lhs : lhs / rhs;
            else
                lhs = (lhs == INT64_MIN && rhs == -1) ? 0 : lhs % rhs;
        }
    }

    int64_t Unary()
    {
        NestingGuard guard(m_depth);
        if (guard.TooDeep())
            Fail("#if expression nested too deeply");
        if (Accept("!"))
            return !Unary();
        if (Accept("~"))
            return ~Unary();
        if (Accept("-"))
            return int64_t(0 - uint64_t(Unary()));
        if (Accept("+"))
            return Unary();
        if (Accept("("))
        {
            int64_t value = Conditional();
            if (!Accept(")"))
                Fail("missing ')' in #if expression");
            return value;
        }
        if (m_pos >= m_toks.size())
            Fail("incomplete #if expression");
        const Token &t = m_toks[m_pos++];
        if (t.kind == Tok::Number)
            return t.value;
        if (t.kind == Tok::Ident)
            return 0; // an unknown name is 0 in #if, as in C
        Fail("unexpected '" + t.text + "' in #if expression");
    }

    const std::vector<Token> &m_toks;
    const FileTable &m_files;
    int m_file;
    int m_line;
    size_t m_pos = 0;
    int m_depth = 0;
};

class Preprocessor
{
  public:
    Preprocessor(const IncludeResolver &includes, FileTable &files) : m_includes(includes), m_files(files)
    {
        for (const char *name : {"RC_INVOKED", "_WIN32"})
        {
            Macro m;
            m.predefined = true;
            m.body.push_back(Token{Tok::Number, "1", 1, 0, 0});
            m_macros[name] = m;
        }
    }

    std::vector<Token> Run(std::string_view text, const std::string &fileName)
    {
        int file = m_files.Add(fileName);
        ProcessFile(text, file, IsCHeader(fileName), 0);
        return std::move(m_out);
    }

    const MacroTable &Macros() const
    {
        return m_macros;
    }

    // Replaces object-like macros in a token, recursively; tokens take the position of the use.
    void Expand(const Token &tok, std::vector<Token> &out, std::vector<std::string> &active) const
    {
        if (tok.kind == Tok::Ident)
        {
            auto it = m_macros.find(tok.text);
            if (it != m_macros.end() && !it->second.functionLike &&
                std::find(active.begin(), active.end(), tok.text) == active.end())
            {
                if (active.size() > 100)
                    m_files.Fail(tok, "macro " + tok.text + " expands too deeply");
                if (out.size() > 1000000)
                    m_files.Fail(tok, "macro " + tok.text + " expands to too much text");
                active.push_back(tok.text);
                for (Token t : it->second.body)
                {
                    t.file = tok.file;
                    t.line = tok.line;
                    Expand(t, out, active);
                }
                active.pop_back();
                return;
            }
        }
        out.push_back(tok);
    }

  private:
    struct Conditional
    {
        bool parentActive;
        bool active;
        bool taken;
        bool seenElse;
        int line;
        std::string directive;
    };

    void ProcessFile(std::string_view text, int file, bool headerOnly, int depth)
    {
        Lexer lexer(text, file, 1, m_files, true);
        std::vector<Conditional> conds;
        auto active = [&] { return conds.empty() || conds.back().active; };
        Token tok;
        Directive dir;
        for (;;)
        {
            Lexer::Item item = lexer.Next(tok, dir, headerOnly || !active());
            if (item == Lexer::Item::End)
                break;
            if (item == Lexer::Item::Token)
            {
                std::vector<std::string> activeMacros;
                Expand(tok, m_out, activeMacros);
                continue;
            }
            const std::string &name = dir.name;
            if (name == "if" || name == "ifdef" || name == "ifndef")
            {
                bool parent = active();
                bool value = parent && Condition(dir, file);
                conds.push_back({parent, value, value, false, dir.line, name});
            }
            else if (name == "elif")
            {
                if (conds.empty())
                    m_files.Fail(file, dir.line, "#elif without #if");
                Conditional &c = conds.back();
                if (c.seenElse)
                    m_files.Fail(file, dir.line, "#elif after #else");
                if (c.parentActive && !c.taken)
                {
                    c.active = Condition(dir, file);
                    c.taken = c.active;
                }
                else
                    c.active = false;
            }
            else if (name == "else")
            {
                if (conds.empty())
                    m_files.Fail(file, dir.line, "#else without #if");
                Conditional &c = conds.back();
                if (c.seenElse)
                    m_files.Fail(file, dir.line, "#else after #else");
                c.seenElse = true;
                c.active = c.parentActive && !c.taken;
                c.taken = true;
            }
            else if (name == "endif")
            {
                if (conds.empty())
                    m_files.Fail(file, dir.line, "#endif without #if");
                conds.pop_back();
            }
            else if (!active())
                continue;
            else if (name == "define")
                Define(dir, file);
            else if (name == "undef")
                m_macros.erase(FirstWord(dir.rest));
            else if (name == "include")
                Include(dir, file, depth);
            else if (name == "error")
                m_files.Fail(file, dir.line, "#error" + dir.rest);
            else if (name == "pragma" || name == "line" || name == "warning" || name.empty())
                continue; // code_page and friends change nothing for us
            else
                m_files.Fail(file, dir.line, "unknown preprocessor directive #" + name);
        }
        if (!conds.empty())
            m_files.Fail(file, conds.back().line, "#" + conds.back().directive + " without #endif");
    }

    static std::string FirstWord(std::string_view s)
    {
        size_t i = 0;
        while (i < s.size() && (s[i] == ' ' || s[i] == '\t'))
            ++i;
        size_t start = i;
        while (i < s.size() && IsIdentChar(s[i]))
            ++i;
        return std::string(s.substr(start, i - start));
    }

    bool IsDefined(const std::string &name) const
    {
        return m_macros.count(name) || Builtin(name);
    }

    bool Condition(const Directive &dir, int file)
    {
        if (dir.name != "if")
        {
            std::string name = FirstWord(dir.rest);
            if (name.empty())
                m_files.Fail(file, dir.line, "#" + dir.name + " needs a name");
            return IsDefined(name) == (dir.name == "ifdef");
        }
        std::vector<Token> raw = Tokenize(dir.rest, file, dir.line, m_files);
        std::vector<Token> toks;
        for (size_t i = 0; i < raw.size(); ++i)
        {
            if (raw[i].kind == Tok::Ident && raw[i].text == "defined")
            {
                bool paren = i + 1 < raw.size() && raw[i + 1].kind == Tok::Punct && raw[i + 1].text == "(";
                size_t at = i + (paren ? 2 : 1);
                if (at >= raw.size() || raw[at].kind != Tok::Ident)
                    m_files.Fail(file, dir.line, "defined needs a name");
                if (paren && (at + 1 >= raw.size() || raw[at + 1].text != ")"))
                    m_files.Fail(file, dir.line, "missing ')' after defined(" + raw[at].text);
                Token value = raw[i];
                value.kind = Tok::Number;
                value.value = IsDefined(raw[at].text) ? 1 : 0;
                toks.push_back(value);
                i = at + (paren ? 1 : 0);
                continue;
            }
            std::vector<std::string> activeMacros;
            Expand(raw[i], toks, activeMacros);
        }
        for (Token &t : toks)
        {
            if (t.kind == Tok::Ident)
                if (auto v = Builtin(t.text))
                    t.kind = Tok::Number, t.value = *v;
        }
        return IfExpression(toks, m_files, file, dir.line).Evaluate() != 0;
    }

    void Define(const Directive &dir, int file)
    {
        std::string_view rest = dir.rest;
        size_t i = 0;
        while (i < rest.size() && (rest[i] == ' ' || rest[i] == '\t'))
            ++i;
        if (i >= rest.size() || !IsIdentStart(rest[i]))
            m_files.Fail(file, dir.line, "#define needs a name");
        size_t start = i;
        while (i < rest.size() && IsIdentChar(rest[i]))
            ++i;
        std::string name(rest.substr(start, i - start));
        Macro macro;
        if (i < rest.size() && rest[i] == '(')
        {
            // Function-like macros only matter to #ifdef; their bodies are never expanded here.
            macro.functionLike = true;
        }
        else
            macro.body = Tokenize(rest.substr(i), file, dir.line, m_files);
        m_macros[name] = std::move(macro);
    }

    void Include(const Directive &dir, int file, int depth)
    {
        std::string_view rest = dir.rest;
        size_t i = rest.find_first_not_of(" \t");
        if (i == std::string_view::npos || (rest[i] != '"' && rest[i] != '<'))
            m_files.Fail(file, dir.line, "#include expects \"file\" or <file>");
        char close = rest[i] == '"' ? '"' : '>';
        size_t end = rest.find(close, i + 1);
        if (end == std::string_view::npos)
            m_files.Fail(file, dir.line, "unterminated #include file name");
        std::string name(rest.substr(i + 1, end - i - 1));
        if (IsSystemHeader(name))
            return; // their constants are built in
        if (depth >= 32)
            m_files.Fail(file, dir.line, "#include nested too deeply");
        std::optional<std::string> text = m_includes ? m_includes(name) : std::nullopt;
        if (!text)
            m_files.Fail(file, dir.line, "cannot open include file \"" + name + "\"");
        m_texts.push_back(std::move(*text));
        int included = m_files.Add(name);
        ProcessFile(m_texts.back(), included, IsCHeader(name), depth + 1);
    }

    const IncludeResolver &m_includes;
    FileTable &m_files;
    MacroTable m_macros;
    std::deque<std::string> m_texts;
    std::vector<Token> m_out;
};

// Value of a flags expression while it is evaluated: bits that a NOT further right must clear stay in keep.
struct Flags
{
    uint32_t value = 0;
    uint32_t keep = ~0u;
};

struct FlagsContext
{
    uint32_t initial = 0; // the statement's implied style, merged into the leftmost operand as rc.exe does
    bool initialUsed = false;
    bool allowNot = false;
};

struct ControlKind
{
    const char *keyword;
    const char *className;
    uint32_t style; // implied bits besides WS_CHILD | WS_VISIBLE
    bool hasText;
};

constexpr ControlKind kControlKinds[] = {
    {"LTEXT", "Static", SS_LEFT | WS_GROUP, true},
    {"RTEXT", "Static", SS_RIGHT | WS_GROUP, true},
    {"CTEXT", "Static", SS_CENTER | WS_GROUP, true},
    {"EDITTEXT", "Edit", ES_LEFT | WS_BORDER | WS_TABSTOP, false},
    {"COMBOBOX", "ComboBox", CBS_SIMPLE | WS_TABSTOP, false},
    {"LISTBOX", "ListBox", LBS_NOTIFY | WS_BORDER, false},
    {"SCROLLBAR", "ScrollBar", SBS_HORZ, false},
    {"PUSHBUTTON", "Button", BS_PUSHBUTTON | WS_TABSTOP, true},
    {"DEFPUSHBUTTON", "Button", BS_DEFPUSHBUTTON | WS_TABSTOP, true},
    {"CHECKBOX", "Button", BS_CHECKBOX | WS_TABSTOP, true},
    {"AUTOCHECKBOX", "Button", BS_AUTOCHECKBOX | WS_TABSTOP, true},
    {"RADIOBUTTON", "Button", BS_RADIOBUTTON, true},
    {"AUTORADIOBUTTON", "Button", BS_AUTORADIOBUTTON, true},
    {"GROUPBOX", "Button", BS_GROUPBOX, true},
    {"STATE3", "Button", BS_3STATE | WS_TABSTOP, true},
    {"AUTO3STATE", "Button", BS_AUTO3STATE | WS_TABSTOP, true},
    {"ICON", "Static", SS_ICON, true},
};

constexpr std::string_view kStandardClasses[] = {"Button", "Edit", "Static", "ListBox", "ScrollBar", "ComboBox"};

class Parser
{
  public:
    Parser(std::vector<Token> toks, const FileTable &files, const MacroTable &macros)
        : m_toks(std::move(toks)), m_files(files), m_macros(macros)
    {
        Token end;
        if (!m_toks.empty())
            end.file = m_toks.back().file, end.line = m_toks.back().line;
        else
            end.line = 1;
        end.text = "end of file";
        m_toks.push_back(end);
    }

    void Run(ResourceScript &script)
    {
        m_script = &script;
        while (Peek().kind != Tok::End)
        {
            const Token &t = Peek();
            if (IsKeyword(t, "LANGUAGE"))
            {
                Take();
                IntExpr();
                Comma();
                IntExpr();
            }
            else if (IsKeyword(t, "VERSION") || IsKeyword(t, "CHARACTERISTICS"))
            {
                Take();
                IntExpr();
            }
            else if (IsKeyword(t, "STRINGTABLE"))
                StringTable();
            else
                Resource();
        }
    }

    // For #define values: the whole token list must be one number expression.
    std::optional<int32_t> WholeExpression()
    {
        try
        {
            int32_t value = IntExpr();
            if (Peek().kind == Tok::End)
                return value;
        }
        catch (const ParseError &)
        {
        }
        return std::nullopt;
    }

  private:
    const Token &Peek(size_t ahead = 0) const
    {
        return m_toks[std::min(m_pos + ahead, m_toks.size() - 1)];
    }

    Token Take()
    {
        Token t = Peek();
        if (m_pos < m_toks.size() - 1)
            ++m_pos;
        return t;
    }

    [[noreturn]] void Fail(const Token &at, const std::string &message) const
    {
        m_files.Fail(at, message);
    }

    static std::string Describe(const Token &t)
    {
        if (t.kind == Tok::End)
            return "end of file";
        if (t.kind == Tok::String)
            return "\"" + t.text + "\"";
        return "'" + t.text + "'";
    }

    static bool IsKeyword(const Token &t, std::string_view keyword)
    {
        return t.kind == Tok::Ident && IEquals(t.text, keyword);
    }
    static bool IsPunct(const Token &t, std::string_view p)
    {
        return t.kind == Tok::Punct && t.text == p;
    }
    static bool IsBegin(const Token &t)
    {
        return IsKeyword(t, "BEGIN") || IsPunct(t, "{");
    }
    static bool IsEnd(const Token &t)
    {
        return IsKeyword(t, "END") || IsPunct(t, "}");
    }

    void Comma()
    {
        if (!IsPunct(Peek(), ","))
            Fail(Peek(), "expected ',' but found " + Describe(Peek()));
        Take();
    }

    bool AcceptComma()
    {
        if (!IsPunct(Peek(), ","))
            return false;
        Take();
        return true;
    }

    std::string String(const char *what)
    {
        if (Peek().kind != Tok::String)
            Fail(Peek(), std::string("expected ") + what + " in quotes but found " + Describe(Peek()));
        return Take().text;
    }

    Token Begin(const char *what)
    {
        if (!IsBegin(Peek()))
            Fail(Peek(), std::string("expected BEGIN after ") + what + " but found " + Describe(Peek()));
        return Take();
    }

    void SkipMemoryFlags()
    {
        static constexpr std::string_view kFlags[] = {"PRELOAD", "LOADONCALL", "MOVEABLE",  "FIXED",      "PURE",
                                                      "IMPURE",  "SHARED",     "NONSHARED", "DISCARDABLE"};
        while (Peek().kind == Tok::Ident && std::any_of(std::begin(kFlags), std::end(kFlags),
                                                        [&](std::string_view f) { return IsKeyword(Peek(), f); }))
            Take();
    }

    // --- expressions: left to right, no precedence, as rc.exe evaluates resource statements

    int32_t IntExpr()
    {
        FlagsContext ctx;
        Flags f = Binary(ctx);
        return int32_t(f.value & f.keep);
    }

    uint32_t FlagsExpr(uint32_t initial)
    {
        FlagsContext ctx{initial, false, true};
        Flags f = Binary(ctx);
        return f.value & f.keep;
    }

    Flags Binary(FlagsContext &ctx)
    {
        Flags lhs = Operand(ctx);
        for (;;)
        {
            const Token &t = Peek();
            if (!(IsPunct(t, "|") || IsPunct(t, "&") || IsPunct(t, "+") || IsPunct(t, "-")))
                return lhs;
            char op = Take().text[0];
            Flags rhs = Operand(ctx);
            uint32_t v = op == '|'   ? lhs.value | rhs.value
                         : op == '&' ? lhs.value & rhs.value
                         : op == '+' ? lhs.value + rhs.value
                                     : lhs.value - rhs.value;
            lhs = Flags{v & lhs.keep & rhs.keep};
        }
    }

    Flags Operand(FlagsContext &ctx)
    {
        NestingGuard guard(m_depth);
        const Token t = Peek();
        if (guard.TooDeep())
            Fail(t, "expression nested too deeply");
        if (IsKeyword(t, "NOT"))
        {
            if (!ctx.allowNot)
                Fail(t, "NOT is only allowed in style expressions");
            Take();
            uint32_t bits = Plain();
            if (!ctx.initialUsed)
            {
                ctx.initialUsed = true;
                return Flags{ctx.initial & ~bits};
            }
            return Flags{0, ~bits};
        }
        if (IsPunct(t, "("))
        {
            Take();
            Flags inner = Binary(ctx);
            if (!IsPunct(Peek(), ")"))
                Fail(Peek(), "expected ')' but found " + Describe(Peek()));
            Take();
            return inner;
        }
        uint32_t value = Plain();
        if (!ctx.initialUsed)
        {
            ctx.initialUsed = true;
            value |= ctx.initial;
        }
        return Flags{value};
    }

    // A number, a name, a unary operator applied to one, or a parenthesised expression; never takes defaults.
    uint32_t Plain()
    {
        NestingGuard guard(m_depth);
        const Token t = Take();
        if (guard.TooDeep())
            Fail(t, "expression nested too deeply");
        if (t.kind == Tok::Number)
            return t.value;
        if (IsPunct(t, "-"))
            return 0u - Plain();
        if (IsPunct(t, "+"))
            return Plain();
        if (IsPunct(t, "~"))
            return ~Plain();
        if (IsPunct(t, "("))
        {
            FlagsContext inner;
            Flags f = Binary(inner);
            if (!IsPunct(Peek(), ")"))
                Fail(Peek(), "expected ')' but found " + Describe(Peek()));
            Take();
            return f.value & f.keep;
        }
        if (t.kind == Tok::Ident)
        {
            if (auto v = Builtin(t.text))
                return *v;
            auto it = m_macros.find(t.text);
            if (it != m_macros.end() && it->second.functionLike)
                Fail(t, "function-like macro " + t.text + " cannot be used here");
            Fail(t, "undefined symbol " + t.text);
        }
        Fail(t, "expected a number but found " + Describe(t));
    }

    // --- resources

    int ResourceId(const Token &idTok, const std::optional<int32_t> &id, int lowest)
    {
        if (!id)
        {
            if (idTok.kind == Tok::Ident)
                Fail(idTok, "undefined symbol " + idTok.text);
            Fail(idTok, "resource id must be a number");
        }
        if (*id < lowest || *id > 0xFFFF)
            Fail(idTok, "resource id " + std::to_string(*id) + " is out of range");
        return *id;
    }

    void CheckDuplicate(std::map<int, Token> &seen, int id, const Token &at, const char *what)
    {
        auto [it, inserted] = seen.emplace(id, at);
        if (!inserted)
            Fail(at, std::string("duplicate ") + what + " id " + std::to_string(id) + " (first defined at " +
                         m_files.Name(it->second.file) + ":" + std::to_string(it->second.line) + ")");
    }

    void Resource()
    {
        const Token idTok = Peek();
        std::optional<int32_t> id;
        if ((idTok.kind == Tok::Ident && !Builtin(idTok.text)) || idTok.kind == Tok::String)
            Take(); // a name: only the resource types we skip accept one
        else
            id = IntExpr();
        const Token typeTok = Take();
        if (typeTok.kind == Tok::Ident)
        {
            std::string type = Upper(typeTok.text);
            if (type == "DIALOG" || type == "DIALOGEX")
                return Dialog(idTok, ResourceId(idTok, id, 1), type == "DIALOGEX");
            if (type == "MENU")
                return Menu(idTok, ResourceId(idTok, id, 1));
            if (type == "BITMAP")
                return Bitmap(idTok, ResourceId(idTok, id, 1));
            if (type == "MENUEX")
                Fail(typeTok, "MENUEX is not supported; write a MENU");
            static constexpr std::string_view kBlockTypes[] = {
                "VERSIONINFO", "ACCELERATORS", "DESIGNINFO", "AFX_DIALOG_LAYOUT", "TEXTINCLUDE", "TOOLBAR", "DLGINIT"};
            if (std::find(std::begin(kBlockTypes), std::end(kBlockTypes), type) != std::end(kBlockTypes))
                return SkipBlockResource(typeTok);
            return SkipFileOrBlockResource(typeTok);
        }
        if (typeTok.kind == Tok::Number)
            return SkipFileOrBlockResource(typeTok);
        Fail(typeTok, "expected a resource type but found " + Describe(typeTok));
    }

    void SkipBlock()
    {
        const Token begin = Take();
        int depth = 1;
        while (depth > 0)
        {
            const Token t = Take();
            if (t.kind == Tok::End)
                Fail(begin, "BEGIN without matching END");
            if (IsBegin(t))
                ++depth;
            else if (IsEnd(t))
                --depth;
        }
    }

    // VERSIONINFO, TOOLBAR and friends have header statements before their block.
    void SkipBlockResource(const Token &typeTok)
    {
        while (!IsBegin(Peek()))
        {
            if (Peek().kind == Tok::End)
                Fail(typeTok, typeTok.text + " without BEGIN");
            Take();
        }
        SkipBlock();
    }

    void SkipFileOrBlockResource(const Token &typeTok)
    {
        SkipMemoryFlags();
        if (Peek().kind == Tok::String)
        {
            Take();
            return;
        }
        if (IsBegin(Peek()))
            return SkipBlock();
        Fail(Peek(), "expected a file name or BEGIN after " + typeTok.text + " but found " + Describe(Peek()));
    }

    void Bitmap(const Token &idTok, int id)
    {
        SkipMemoryFlags();
        std::string file = String("the bitmap file name");
        CheckDuplicate(m_bitmapIds, id, idTok, "bitmap");
        m_script->bitmaps[id] = file;
        m_script->bitmapLocations[id] = ResourceScript::Location{m_files.Name(idTok.file), idTok.line};
    }

    void StringTable()
    {
        Take();
        SkipMemoryFlags();
        OptionalStatementsBeforeBegin();
        const Token begin = Begin("STRINGTABLE");
        for (;;)
        {
            const Token t = Peek();
            if (IsEnd(t))
            {
                Take();
                return;
            }
            if (t.kind == Tok::End)
                Fail(begin, "BEGIN without matching END");
            int id = IntExpr();
            if (id < 0 || id > 0xFFFF)
                Fail(t, "string id " + std::to_string(id) + " is out of range");
            AcceptComma();
            std::string text = String("the string");
            CheckDuplicate(m_stringIds, id, t, "string");
            m_script->strings[id] = std::move(text);
        }
    }

    void OptionalStatementsBeforeBegin()
    {
        for (;;)
        {
            const Token &t = Peek();
            if (IsKeyword(t, "LANGUAGE"))
            {
                Take();
                IntExpr();
                Comma();
                IntExpr();
            }
            else if (IsKeyword(t, "CHARACTERISTICS") || IsKeyword(t, "VERSION"))
            {
                Take();
                IntExpr();
            }
            else
                return;
        }
    }

    void Menu(const Token &idTok, int id)
    {
        SkipMemoryFlags();
        OptionalStatementsBeforeBegin();
        CheckDuplicate(m_menuIds, id, idTok, "menu");
        MenuTemplate menu;
        menu.id = id;
        menu.items = MenuItems();
        m_script->menus[id] = std::move(menu);
    }

    std::vector<MenuItem> MenuItems()
    {
        NestingGuard guard(m_depth);
        if (guard.TooDeep())
            Fail(Peek(), "menu nested too deeply");
        const Token begin = Begin("MENU or POPUP");
        std::vector<MenuItem> items;
        for (;;)
        {
            const Token t = Take();
            if (IsEnd(t))
                return items;
            if (t.kind == Tok::End)
                Fail(begin, "BEGIN without matching END");
            MenuItem item;
            if (IsKeyword(t, "MENUITEM"))
            {
                if (IsKeyword(Peek(), "SEPARATOR"))
                {
                    Take();
                    item.flags = MF_SEPARATOR;
                }
                else
                {
                    item.text = String("the menu item text");
                    Comma();
                    item.id = IntExpr();
                    item.flags = MenuOptions();
                }
            }
            else if (IsKeyword(t, "POPUP"))
            {
                item.text = String("the popup text");
                item.flags = MenuOptions() | MF_POPUP;
                item.children = MenuItems();
            }
            else
                Fail(t, "expected MENUITEM, POPUP or END but found " + Describe(t));
            items.push_back(std::move(item));
        }
    }

    uint32_t MenuOptions()
    {
        uint32_t flags = 0;
        for (;;)
        {
            bool comma = AcceptComma();
            const Token &t = Peek();
            uint32_t bit = IsKeyword(t, "GRAYED")         ? MF_GRAYED
                           : IsKeyword(t, "INACTIVE")     ? MF_DISABLED
                           : IsKeyword(t, "CHECKED")      ? MF_CHECKED
                           : IsKeyword(t, "MENUBARBREAK") ? kMenuBarBreak
                           : IsKeyword(t, "MENUBREAK")    ? kMenuBreak
                           : IsKeyword(t, "HELP")         ? kMenuHelp
                                                          : 0;
            if (!bit)
            {
                if (comma)
                    Fail(t, "expected a menu option but found " + Describe(t));
                return flags;
            }
            Take();
            flags |= bit;
        }
    }

    void Dialog(const Token &idTok, int id, bool ex)
    {
        SkipMemoryFlags();
        DialogTemplate d;
        d.id = id;
        d.line = idTok.line;
        d.x = IntExpr();
        Comma();
        d.y = IntExpr();
        Comma();
        d.cx = IntExpr();
        Comma();
        d.cy = IntExpr();
        if (ex && AcceptComma())
            IntExpr(); // help id
        d.style = WS_POPUP | WS_BORDER | WS_SYSMENU;
        bool font = false, caption = false;
        while (!IsBegin(Peek()))
        {
            const Token t = Take();
            if (IsKeyword(t, "STYLE"))
                d.style = FlagsExpr(0);
            else if (IsKeyword(t, "EXSTYLE"))
                d.exStyle = FlagsExpr(0);
            else if (IsKeyword(t, "CAPTION"))
            {
                d.caption = String("the caption");
                caption = true;
            }
            else if (IsKeyword(t, "FONT"))
            {
                d.fontSize = IntExpr();
                Comma();
                d.fontFace = String("the font name");
                if (AcceptComma())
                {
                    d.fontWeight = IntExpr();
                    if (AcceptComma())
                    {
                        d.fontItalic = IntExpr() != 0;
                        if (AcceptComma())
                            d.fontCharset = IntExpr();
                    }
                }
                font = true;
            }
            else if (IsKeyword(t, "CLASS"))
                d.className = NameOrNumber("the class name");
            else if (IsKeyword(t, "MENU"))
                d.menu = NameOrNumber("the menu name");
            else if (IsKeyword(t, "LANGUAGE"))
            {
                IntExpr();
                Comma();
                IntExpr();
            }
            else if (IsKeyword(t, "CHARACTERISTICS") || IsKeyword(t, "VERSION"))
                IntExpr();
            else if (t.kind == Tok::End)
                Fail(idTok, "dialog without BEGIN");
            else
                Fail(t, "unexpected " + Describe(t) + " in the dialog header");
        }
        // rc.exe sets DS_SETFONT exactly when there is a FONT, and a CAPTION implies WS_CAPTION.
        d.style = font ? d.style | DS_SETFONT : d.style & ~uint32_t(DS_SETFONT);
        if (caption)
            d.style |= WS_CAPTION;

        const Token begin = Take();
        for (;;)
        {
            const Token t = Peek();
            if (IsEnd(t))
            {
                Take();
                break;
            }
            if (t.kind == Tok::End)
                Fail(begin, "BEGIN without matching END");
            d.controls.push_back(Control(ex));
        }
        CheckDuplicate(m_dialogIds, id, idTok, "dialog");
        m_script->dialogs[id] = std::move(d);
    }

    std::string NameOrNumber(const char *what)
    {
        const Token &t = Peek();
        if (t.kind == Tok::String || (t.kind == Tok::Ident && !Builtin(t.text)))
            return Take().text;
        if (t.kind == Tok::Number || t.kind == Tok::Ident || IsPunct(t, "("))
            return std::to_string(IntExpr());
        Fail(t, std::string("expected ") + what + " but found " + Describe(t));
    }

    // Control text: a string, or a resource id written as "#N" (an icon or bitmap shown by a static).
    std::string ControlText()
    {
        const Token &t = Peek();
        if (t.kind == Tok::String)
            return Take().text;
        if (t.kind == Tok::Number)
            return "#" + std::to_string(Take().value);
        if (t.kind == Tok::Ident && !Builtin(t.text))
            return Take().text;
        Fail(t, "expected the control text but found " + Describe(t));
    }

    std::string ControlClass()
    {
        const Token t = Take();
        if (t.kind == Tok::String || t.kind == Tok::Ident)
        {
            for (std::string_view standard : kStandardClasses)
                if (IEquals(standard, t.text))
                    return std::string(standard);
            if (t.kind == Tok::String)
                return t.text; // a registered custom class
            Fail(t, "unknown control class " + t.text);
        }
        if (t.kind == Tok::Number && t.value >= 0x80 && t.value <= 0x85)
        {
            static constexpr std::string_view kByOrdinal[] = {"Button",  "Edit",      "Static",
                                                              "ListBox", "ScrollBar", "ComboBox"};
            return std::string(kByOrdinal[t.value - 0x80]);
        }
        Fail(t, "expected a control class but found " + Describe(t));
    }

    ControlTemplate Control(bool ex)
    {
        const Token kw = Take();
        ControlTemplate c;
        c.line = kw.line;
        const uint32_t base = WS_CHILD | WS_VISIBLE;
        if (IsKeyword(kw, "CONTROL"))
        {
            c.text = ControlText();
            Comma();
            c.id = IntExpr();
            Comma();
            c.className = ControlClass();
            Comma();
            c.style = FlagsExpr(base); // CONTROL implies nothing else
            Comma();
            Geometry(c);
            OptionalExStyle(c, ex);
        }
        else
        {
            auto kind = std::find_if(std::begin(kControlKinds), std::end(kControlKinds),
                                     [&](const ControlKind &k) { return IsKeyword(kw, k.keyword); });
            if (kind == std::end(kControlKinds))
                Fail(kw, "expected a control statement or END but found " + Describe(kw));
            c.className = kind->className;
            if (kind->hasText)
            {
                c.text = ControlText();
                Comma();
            }
            c.id = IntExpr();
            Comma();
            bool icon = IsKeyword(kw, "ICON");
            Geometry(c, icon);
            c.style = base | kind->style;
            if (AcceptComma())
            {
                // A written combo box style replaces CBS_SIMPLE | WS_TABSTOP, so CBS_DROPDOWN stays a drop-down.
                uint32_t implied = IsKeyword(kw, "COMBOBOX") ? base : c.style;
                c.style = FlagsExpr(implied);
                OptionalExStyle(c, ex);
            }
        }
        if (IsBegin(Peek()))
            SkipBlock(); // creation data of a DIALOGEX control
        return c;
    }

    // ICON takes its size from the image, so width and height may be left out.
    void Geometry(ControlTemplate &c, bool sizeOptional = false)
    {
        c.x = IntExpr();
        Comma();
        c.y = IntExpr();
        if (sizeOptional && !IsPunct(Peek(), ","))
            return;
        Comma();
        c.cx = IntExpr();
        Comma();
        c.cy = IntExpr();
    }

    void OptionalExStyle(ControlTemplate &c, bool ex)
    {
        if (!AcceptComma())
            return;
        c.exStyle = FlagsExpr(0);
        if (ex && AcceptComma())
            IntExpr(); // help id
    }

    std::vector<Token> m_toks;
    size_t m_pos = 0;
    const FileTable &m_files;
    const MacroTable &m_macros;
    ResourceScript *m_script = nullptr;
    int m_depth = 0;
    std::map<int, Token> m_dialogIds, m_menuIds, m_bitmapIds, m_stringIds;
};

} // namespace

ResourceScript ParseResourceScript(std::string_view text, const std::string &fileName, const IncludeResolver &includes)
{
    FileTable files;
    Preprocessor pre(includes, files);
    std::vector<Token> toks = pre.Run(text, fileName);

    ResourceScript script;
    Parser(std::move(toks), files, pre.Macros()).Run(script);

    // The script's own names with their final values, for code that looks ids up by name.
    for (const auto &[name, macro] : pre.Macros())
    {
        if (macro.predefined || macro.functionLike || macro.body.empty())
            continue;
        std::vector<Token> expanded;
        try
        {
            std::vector<std::string> active{name};
            for (const Token &t : macro.body)
                pre.Expand(t, expanded, active);
        }
        catch (const ParseError &)
        {
            continue;
        }
        if (auto value = Parser(std::move(expanded), files, pre.Macros()).WholeExpression())
            script.defines[name] = *value;
    }
    return script;
}

} // namespace pdt::rc
