#include "platform/rcscript.h"
#include "platform/winstyles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <tuple>

namespace pdt::rc::test
{
namespace
{

#define PDT_TEST_CONSTANT(name, value) constexpr uint32_t name = uint32_t(value);
PDT_STYLE_CONSTANTS(PDT_TEST_CONSTANT)
#undef PDT_TEST_CONSTANT

constexpr uint32_t kChild = WS_CHILD | WS_VISIBLE;

using Files = std::map<std::string, std::string>;

IncludeResolver Resolver(Files files)
{
    return [files = std::move(files)](const std::string &name) -> std::optional<std::string> {
        auto it = files.find(name);
        if (it == files.end())
            return std::nullopt;
        return it->second;
    };
}

ResourceScript Parse(std::string_view text, Files files = {})
{
    return ParseResourceScript(text, "test.rc", Resolver(std::move(files)));
}

// The error a script must fail with; a script that parses fails the test.
ParseError Failure(std::string_view text, Files files = {})
{
    try
    {
        Parse(text, std::move(files));
    }
    catch (const ParseError &e)
    {
        return e;
    }
    ADD_FAILURE() << "parsed without an error:\n" << text;
    return ParseError("none", 0, "none");
}

std::string Dialog(std::string_view controls)
{
    return "100 DIALOGEX 0, 0, 200, 100\nBEGIN\n" + std::string(controls) + "\nEND\n";
}

const ControlTemplate &OnlyControl(const ResourceScript &s)
{
    const DialogTemplate *d = s.FindDialog(100);
    if (!d || d->controls.size() != 1)
        throw std::runtime_error("expected dialog 100 with one control");
    return d->controls[0];
}

std::filesystem::path SourceDir()
{
    if (const char *dir = std::getenv("PDTDLG_TEST_SOURCE_DIR"))
        return dir;
    return std::filesystem::path(__FILE__).parent_path().parent_path().parent_path();
}

std::string ReadFile(const std::filesystem::path &path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path.string());
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

IncludeResolver ResourcesFolder()
{
    return [](const std::string &name) -> std::optional<std::string> {
        std::filesystem::path path = SourceDir() / "resources" / name;
        if (!std::filesystem::exists(path))
            return std::nullopt;
        return ReadFile(path);
    };
}

// --- control styles, as rc.exe computes them

TEST(RcStyles, StatementDefaults)
{
    const std::tuple<const char *, const char *, uint32_t> cases[] = {
        {"LTEXT \"t\", 1, 0, 0, 10, 10", "Static", kChild | SS_LEFT | WS_GROUP},
        {"RTEXT \"t\", 1, 0, 0, 10, 10", "Static", kChild | SS_RIGHT | WS_GROUP},
        {"CTEXT \"t\", 1, 0, 0, 10, 10", "Static", kChild | SS_CENTER | WS_GROUP},
        {"EDITTEXT 1, 0, 0, 10, 10", "Edit", kChild | ES_LEFT | WS_BORDER | WS_TABSTOP},
        {"COMBOBOX 1, 0, 0, 10, 10", "ComboBox", kChild | CBS_SIMPLE | WS_TABSTOP},
        {"LISTBOX 1, 0, 0, 10, 10", "ListBox", kChild | LBS_NOTIFY | WS_BORDER},
        {"SCROLLBAR 1, 0, 0, 10, 10", "ScrollBar", kChild | SBS_HORZ},
        {"PUSHBUTTON \"t\", 1, 0, 0, 10, 10", "Button", kChild | BS_PUSHBUTTON | WS_TABSTOP},
        {"DEFPUSHBUTTON \"t\", 1, 0, 0, 10, 10", "Button", kChild | BS_DEFPUSHBUTTON | WS_TABSTOP},
        {"CHECKBOX \"t\", 1, 0, 0, 10, 10", "Button", kChild | BS_CHECKBOX | WS_TABSTOP},
        {"AUTOCHECKBOX \"t\", 1, 0, 0, 10, 10", "Button", kChild | BS_AUTOCHECKBOX | WS_TABSTOP},
        {"RADIOBUTTON \"t\", 1, 0, 0, 10, 10", "Button", kChild | BS_RADIOBUTTON},
        {"AUTORADIOBUTTON \"t\", 1, 0, 0, 10, 10", "Button", kChild | BS_AUTORADIOBUTTON},
        {"GROUPBOX \"t\", 1, 0, 0, 10, 10", "Button", kChild | BS_GROUPBOX},
        {"STATE3 \"t\", 1, 0, 0, 10, 10", "Button", kChild | BS_3STATE | WS_TABSTOP},
        {"AUTO3STATE \"t\", 1, 0, 0, 10, 10", "Button", kChild | BS_AUTO3STATE | WS_TABSTOP},
        {"CONTROL \"t\", 1, \"Button\", 0, 0, 0, 10, 10", "Button", kChild},
        {"control \"t\", 1, BUTTON, 0, 0, 0, 10, 10", "Button", kChild},
        {"CONTROL \"\", 1, \"SysListView32\", LVS_REPORT, 0, 0, 10, 10", "SysListView32", kChild | LVS_REPORT},
        {"CONTROL \"t\", 1, \"static\", SS_ETCHEDHORZ, 0, 0, 10, 10", "Static", kChild | SS_ETCHEDHORZ},
    };
    for (auto [statement, className, style] : cases)
    {
        ControlTemplate ctl = OnlyControl(Parse(Dialog(statement)));
        EXPECT_EQ(ctl.className, className) << statement;
        EXPECT_EQ(ctl.style, style) << statement;
    }
}

TEST(RcExpressions, LeftToRightWithoutPrecedenceAndDefinesResolveThroughIncludesAndOtherNames)
{
    ResourceScript s = Parse("1 DIALOG 1 | 1 - 1, 1 | (1 - 1), 0x10 + 0o10 + 010, -(2) + ~0 + 3\nBEGIN\n"
                             "CONTROL \"\", 2 + 3 & 4, \"Static\", 0, 0, 0, 10, 10\nEND\n");
    const DialogTemplate *d = s.FindDialog(1);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->x, 0);                 // (1 | 1) - 1
    EXPECT_EQ(d->y, 1);                 // 1 | (1 - 1)
    EXPECT_EQ(d->cx, 0x10 + 8 + 10);    // 0o is octal; a leading 0 is still decimal
    EXPECT_EQ(d->cy, 0);                // -2 + -1 + 3
    EXPECT_EQ(d->controls.at(0).id, 4); // (2 + 3) & 4

    Files files = {{"resource.h", "#define IDD_BASE 300\n"
                                  "#define IDD_MAIN (IDD_BASE + 1)\n"
                                  "#define IDC_NAME 0x1F0\n"
                                  "#define IDC_ALIAS IDC_NAME\n"
                                  "int ignored(void); /* C code in a header is not resource text */\n"
                                  "#define IDC_GONE 5\n"
                                  "#undef IDC_GONE\n"}};
    ResourceScript defs = Parse("#include \"resource.h\"\n#include <windows.h>\n#include \"afxres.h\"\n"
                             "#define MY_STYLE (WS_TABSTOP | WS_GROUP)\n"
                             "IDD_MAIN DIALOG 0, 0, 10, 10\nBEGIN\n"
                             "  EDITTEXT IDC_ALIAS, 0, 0, 5, 5, MY_STYLE\nEND\n",
                             files);
    const DialogTemplate *main = defs.FindDialog(301);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(main->controls.at(0).id, 0x1F0);
    EXPECT_EQ(main->controls.at(0).style, kChild | WS_BORDER | WS_TABSTOP | WS_GROUP);
    EXPECT_EQ(defs.defines.at("IDD_BASE"), 300);
    EXPECT_EQ(defs.defines.at("IDD_MAIN"), 301);
    EXPECT_EQ(defs.defines.at("IDC_ALIAS"), 0x1F0);
    EXPECT_EQ(defs.defines.at("MY_STYLE"), int(WS_TABSTOP | WS_GROUP));
    EXPECT_EQ(defs.defines.count("IDC_GONE"), 0u);
    EXPECT_EQ(defs.defines.count("RC_INVOKED"), 0u);
}

TEST(RcPreprocessor, Conditionals)
{
    ResourceScript s = Parse("#define HAVE_A\n"
                             "#ifdef APSTUDIO_INVOKED\n"
                             "this is not resource text {\n"
                             "#endif\n"
                             "#if !defined(AFX_RESOURCE_DLL) || defined(AFX_TARG_ENU)\n"
                             "STRINGTABLE BEGIN 1 \"enu\" END\n"
                             "#endif\n"
                             "#ifndef HAVE_A\n"
                             "STRINGTABLE BEGIN 2 \"wrong\" END\n"
                             "#elif defined HAVE_A && (1 + 2 * 3 == 7)\n"
                             "STRINGTABLE BEGIN 2 \"elif\" END\n"
                             "#else\n"
                             "STRINGTABLE BEGIN 2 \"else\" END\n"
                             "#endif\n"
                             "#if 0\n"
                             "  #if 1\n"
                             "  STRINGTABLE BEGIN 3 \"nested\" END\n"
                             "  #endif\n"
                             "  #error never reached\n"
                             "#else\n"
                             "STRINGTABLE BEGIN 3 \"outer else\" END\n"
                             "#endif\n"
                             "#if defined(WS_CHILD) && IDOK == 1 && UNKNOWN_NAME == 0\n"
                             "STRINGTABLE BEGIN 4 \"builtins are defined\" END\n"
                             "#endif\n"
                             "#pragma code_page(1252)\n");
    EXPECT_EQ(s.strings.at(1), "enu");
    EXPECT_EQ(s.strings.at(2), "elif");
    EXPECT_EQ(s.strings.at(3), "outer else");
    EXPECT_EQ(s.strings.at(4), "builtins are defined");
    EXPECT_EQ(s.strings.size(), 4u);
}

TEST(RcStrings, EscapesAndBytes)
{
    ResourceScript s = Parse("STRINGTABLE\nBEGIN\n"
                             "  1 \"say \"\"hi\"\"\"\n"
                             "  2, \"a\\tb\\nc\\\\d\"\n"
                             "  3 \"\\x41\\101\\a\\q\"\n"
                             "  4 \"caf\xE9 \x80\"\n"
                             "  5 L\"wide\"\n"
                             "  6 \"\"\n"
                             "  7 \"// not a comment /* either */\"\n"
                             "END\n");
    EXPECT_EQ(s.strings.at(1), "say \"hi\"");
    EXPECT_EQ(s.strings.at(2), "a\tb\nc\\d");
    EXPECT_EQ(s.strings.at(3), "AA\b\\q"); // rc.exe's \a is a backspace; unknown escapes stay as written
    EXPECT_EQ(s.strings.at(4), "caf\xE9 \x80");
    EXPECT_EQ(s.strings.at(5), "wide");
    EXPECT_EQ(s.strings.at(6), "");
    EXPECT_EQ(s.strings.at(7), "// not a comment /* either */");
}

TEST(RcControls, TextsClassesAndExtras)
{
    ResourceScript s = Parse(Dialog("CONTROL 3063, 5, \"Static\", SS_BITMAP, 0, 0, 8, 8\n"
                                    "ICON 200, 6, 10, 10\n"
                                    "CONTROL \"x\", 7, 0x80, BS_CHECKBOX, 0, 0, 8, 8, 0, 99\n"
                                    "EDITTEXT 8, 0, 0, 8, 8, ES_MULTILINE, WS_EX_CLIENTEDGE, 12\n"
                                    "CONTROL \"y\", 9, \"Button\", 0, 0, 0, 8, 8 BEGIN 1, 2 END"));
    const auto &c = s.FindDialog(100)->controls;
    ASSERT_EQ(c.size(), 5u);
    EXPECT_EQ(c[0].text, "#3063"); // an image static names its resource by number
    EXPECT_EQ(c[0].style, kChild | SS_BITMAP);
    EXPECT_EQ(c[1].text, "#200");
    EXPECT_EQ(c[1].style, kChild | SS_ICON);
    EXPECT_EQ(c[1].x, 10);
    EXPECT_EQ(c[2].className, "Button");
    EXPECT_EQ(c[3].exStyle, uint32_t(WS_EX_CLIENTEDGE));
    EXPECT_EQ(c[4].id, 9);
    EXPECT_EQ(c[3].line, 6);
}

// --- errors: file, line and a message that says what is wrong

void ExpectFailure(std::string_view text, int line, std::string_view needle, Files files = {},
                   std::string_view file = "test.rc")
{
    ParseError e = Failure(text, std::move(files));
    EXPECT_EQ(e.file(), file) << text;
    EXPECT_EQ(e.line(), line) << e.what();
    EXPECT_NE(std::string(e.what()).find(needle), std::string::npos) << e.what();
    EXPECT_EQ(std::string(e.what()).rfind(std::string(file) + ":" + std::to_string(line) + ": ", 0), 0u) << e.what();
}

TEST(RcErrors, LexicalStructureSymbolAndPreprocessorProblems)
{
    const std::tuple<std::string, int, std::string> cases[] = {
        {"STRINGTABLE\nBEGIN\n  1 \"open\nEND\n", 3, "unterminated string"},
        {"STRINGTABLE BEGIN\n1 \"a\\\"b\"\nEND\n", 2, "\"\""},
        {"/* start\n\n", 1, "unterminated comment"},
        {"\n1 DIALOG 0, 0, 12ab, 0\n", 2, "invalid number '12ab'"},
        {"1 DIALOG 0, 0, 10, 10\nBEGIN\n  LTEXT \"a\", 1, 0, 0, 5, 5\n", 2, "BEGIN without matching END"},
        {"1 MENU\nBEGIN\n POPUP \"x\"\n BEGIN\n  MENUITEM \"a\", 1\nEND\n", 2, "BEGIN without matching END"},
        {"1 VERSIONINFO\nBEGIN\n BLOCK \"a\"\n BEGIN\nEND\n", 2, "BEGIN without matching END"},
        {"1 DIALOG 0, 0, 10, 10\nBEGIN\n  BUTTONX \"a\", 1, 0, 0, 5, 5\nEND\n", 3, "BUTTONX"},
        {"1 DIALOG 0, 0, 10, 10\nBEGIN\n  LTEXT \"a\" 1, 0, 0, 5, 5\nEND\n", 3, "expected ','"},
        {"1 DIALOG 0, 0, 10, 10\nBEGIN\n  CONTROL \"a\", 1, Widget, 0, 0, 0, 5, 5\nEND\n", 3,
         "unknown control class Widget"},
        {"1 DIALOG 0, 0, (10, 10\nBEGIN\nEND\n", 1, "expected ')'"},
        {"1 DIALOG 0, 0, 10, 10\nSTYLE WS_POPUP\nBOGUS 3\nBEGIN\nEND\n", 3, "BOGUS"},
        {"1 DIALOG 0, 0, NOT 10, 10\nBEGIN\nEND\n", 1, "NOT"},
        {"1 MENUEX\nBEGIN\nEND\n", 1, "MENUEX"},
        {"1 MENU\nBEGIN\n  MENUITEM \"a\", 1, SHINY\nEND\n", 3, "expected a menu option but found 'SHINY'"},
        {"STRINGTABLE\nBEGIN\n  1 \"a\"\n  2\nEND\n", 5, "expected the string"},
        {"\n\n}\n", 3, "expected a number"},
        {"1 DIALOG 0, 0, 10, 10\n", 1, "BEGIN"},
        {"1 DIALOG 0, 0, 10, 10\nBEGIN\n  EDITTEXT IDC_MISSING, 0, 0, 5, 5\nEND\n", 3, "undefined symbol IDC_MISSING"},
        {"\nIDD_MISSING DIALOGEX 0, 0, 10, 10\nBEGIN\nEND\n", 2, "undefined symbol IDD_MISSING"},
        {"IDB_MISSING BITMAP \"a.bmp\"\n", 1, "undefined symbol IDB_MISSING"},
        {"#define A B\n#define B A\n1 DIALOG 0, 0, A, 10\nBEGIN\nEND\n", 3, "undefined symbol"},
        {"#define F(x) x\n1 DIALOG 0, 0, F(1), 10\nBEGIN\nEND\n", 2, "function-like macro F"},
        {"0 DIALOG 0, 0, 10, 10\nBEGIN\nEND\n", 1, "out of range"},
        {"1 DIALOG 0, 0, 10, 10\nBEGIN\nEND\n\n2 DIALOG 0,0,1,1 BEGIN END\n1 DIALOGEX 0, 0, 10, 10\nBEGIN\nEND\n", 6,
         "duplicate dialog id 1 (first defined at test.rc:1)"},
        {"1 MENU BEGIN END\n1 MENU BEGIN END\n", 2, "duplicate menu id 1"},
        {"1 BITMAP \"a.bmp\"\n1 BITMAP \"b.bmp\"\n", 2, "duplicate bitmap id 1"},
        {"STRINGTABLE BEGIN\n 1 \"a\"\n 1 \"b\"\nEND\n", 3, "duplicate string id 1"},
        {"#include \"missing.h\"\n", 1, "cannot open include file \"missing.h\""},
        {"\n#if 1\n1 DIALOG 0,0,1,1 BEGIN END\n", 2, "#if without #endif"},
        {"#ifdef X\n#else\n#else\n#endif\n", 3, "#else after #else"},
        {"#endif\n", 1, "#endif without #if"},
        {"\n#frobnicate\n", 2, "unknown preprocessor directive #frobnicate"},
        {"#if 1 / 0\n#endif\n", 1, "division by zero"},
        {"#if (1\n#endif\n", 1, "missing ')'"},
        {"#define\n", 1, "#define needs a name"},
        {"#error stop here\n", 1, "#error stop here"},
    };
    for (const auto &[text, line, needle] : cases)
        ExpectFailure(text, line, needle);
}

// --- robustness: no input may crash the parser or escape as anything but ParseError

TEST(RcRobustness, EveryTruncationOfTheRealScript)
{
    const std::string script = ReadFile(SourceDir() / "resources" / "pdtdlg.rc");
    IncludeResolver includes = ResourcesFolder();
    ResourceScript whole = ParseResourceScript(script, "pdtdlg.rc", includes);
    ASSERT_NE(whole.FindDialog(whole.defines.at("IDD_FIND")), nullptr);
    EXPECT_EQ(whole.defines.count("_APS_NEXT_RESOURCE_VALUE"), 0u) << "designer-only blocks leak no names";
    int failures = 0;
    for (size_t n = 0; n <= script.size(); ++n)
    {
        try
        {
            ParseResourceScript(script.substr(0, n), "cut.rc", includes);
        }
        catch (const ParseError &e)
        {
            ++failures;
            ASSERT_EQ(e.file(), "cut.rc") << e.what();
            ASSERT_GE(e.line(), 1) << e.what();
            ASSERT_LE(e.line(), 1 + int(std::count(script.begin(), script.begin() + long(n), '\n'))) << e.what();
        }
    }
    EXPECT_GT(failures, 0); // cutting inside the dialog must be noticed
}

} // namespace
} // namespace pdt::rc::test
