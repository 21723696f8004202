// Window text in the ANSI code page, for every kind of control and the code pages of the terminal languages:
// bytes show as the characters they are, typed text comes back as the code page's bytes, bytes nobody touched
// come back exactly, and a character the code page cannot hold is refused where it is typed.
#include "dialog_harness.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <functional>

#include "platform/afxcmn.h"

using namespace pdt::test;

namespace
{

struct Sample
{
    int codePage;
    std::string bytes; // valid text in the code page
    const char* shown; // the same text in UTF-8
    const char* typed; // what a person types, in UTF-8
    std::string typedBytes;
    std::string odd;     // bytes the code page does not read as any character
    const char* foreign; // a character the code page lacks
};

const Sample kSamples[] = {
    {1252,
     "Gr\xF6\xDF"
     "e \x80"
     "5",
     "Gr\xC3\xB6\xC3\x9F"
     "e \xE2\x82\xAC"
     "5",
     "\xC3\xA7\xC3\xA9", "\xE7\xE9", "\x81\x8D", "\xE4\xB8\xAD"},
    {936, "\xCD\xEA\xB3\xC9:", "\xE5\xAE\x8C\xE6\x88\x90:", "\xE5\x8F\x96\xE6\xB6\x88", "\xC8\xA1\xCF\xFB", "\xFF\xB3",
     "\xED\x95\x9C"},
    {950, "\xA8\xFA\xAE\xF8", "\xE5\x8F\x96\xE6\xB6\x88", "\xE5\xAE\x8C\xE6\x88\x90", "\xA7\xB9\xA6\xA8", "\xFF",
     "\xED\x95\x9C"},
    {932, "\x95\x69\x94\xD4", "\xE5\x93\x81\xE7\x95\xAA", "\xE3\x82\xAB\xE3\x83\x8A", "\x83\x4A\x83\x69", "\xFF",
     "\xED\x95\x9C"},
};

QString ItemShown(HWND h)
{
    QAbstractItemView* view = ViewOf(h);
    return view ? view->model()->index(0, 0).data().toString() : QStringLiteral("<no view>");
}

struct Kind
{
    const char* name;
    const char* className;
    DWORD style;
    bool typable;
    std::function<void(HWND, const CString&)> set;
    std::function<CString(HWND)> get;
    std::function<QString(HWND)> shown;
};

void SetText(HWND h, const CString& s) { CWnd::FromHandle(h)->SetWindowText(s); }
CString GetText(HWND h) { return CWnd::FromHandle(h)->GetWindowText(); }

const Kind kKinds[] = {
    {"edit", "Edit", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, true, SetText, GetText,
     [](HWND h) { return qobject_cast<QLineEdit*>(Peer(h))->text(); }},
    {"multi-line edit", "Edit", ES_MULTILINE | ES_WANTRETURN | WS_VSCROLL | WS_BORDER | WS_TABSTOP, true, SetText,
     GetText, [](HWND h) { return qobject_cast<QPlainTextEdit*>(Peer(h))->toPlainText(); }},
    {"drop-down combo box's edit", "ComboBox", CBS_DROPDOWN | WS_VSCROLL | WS_TABSTOP, true, SetText, GetText,
     [](HWND h) { return qobject_cast<QComboBox*>(Peer(h))->lineEdit()->text(); }},
    {"static", "Static", SS_LEFT | SS_NOPREFIX, false, SetText, GetText,
     [](HWND h) { return qobject_cast<QLabel*>(Peer(h))->text(); }},
    {"button", "Button", BS_PUSHBUTTON | WS_TABSTOP, false, SetText, GetText,
     [](HWND h) { return qobject_cast<QAbstractButton*>(Peer(h))->text(); }},
    {"drop-down list's item", "ComboBox", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, false,
     [](HWND h, const CString& s) {
         ::SendMessage(h, CB_ADDSTRING, 0, LPARAM(s.c_str()));
         ::SendMessage(h, CB_SETCURSEL, 0, 0);
     },
     GetText, [](HWND h) { return qobject_cast<QComboBox*>(Peer(h))->itemText(0); }},
    {"list box's item", "ListBox", WS_VSCROLL | WS_TABSTOP, false,
     [](HWND h, const CString& s) { ::SendMessage(h, LB_ADDSTRING, 0, LPARAM(s.c_str())); },
     [](HWND h) {
         CString s;
         static_cast<CListBox*>(CWnd::FromHandle(h))->GetText(0, s);
         return s;
     },
     ItemShown},
    {"list view's item", "SysListView32", LVS_REPORT | WS_TABSTOP, false,
     [](HWND h, const CString& s) {
         auto* list = static_cast<CListCtrl*>(CWnd::FromHandle(h));
         list->InsertColumn(0, "Name", LVCFMT_LEFT, 150);
         list->InsertItem(0, s);
     },
     [](HWND h) { return static_cast<CListCtrl*>(CWnd::FromHandle(h))->GetItemText(0, 0); }, ItemShown},
    {"tree view's item", "SysTreeView32", TVS_HASLINES | WS_TABSTOP, false,
     [](HWND h, const CString& s) { static_cast<CTreeCtrl*>(CWnd::FromHandle(h))->InsertItem(s); },
     [](HWND h) {
         auto* tree = static_cast<CTreeCtrl*>(CWnd::FromHandle(h));
         return tree->GetItemText(tree->GetRootItem());
     },
     ItemShown},
};

std::string Hex(const CString& s)
{
    std::string out;
    char buf[4];
    for (unsigned char c : s.str())
    {
        std::snprintf(buf, sizeof buf, "%02X ", c);
        out += buf;
    }
    return out;
}

using CodePageTable = ControlTest;

TEST_F(CodePageTable, EveryKindOfControlShowsReturnsAndRefusesInEachCodePage)
{
    int id = 300;
    for (const Sample& sample : kSamples)
        for (const Kind& kind : kKinds)
        {
            SCOPED_TRACE(std::string(kind.name) + " in code page " + std::to_string(sample.codePage));
            CodePageScope cp(sample.codePage);
            HWND h = host.Make(kind.className, kind.style, CRect(10, 10, 300, 120), ++id);
            ASSERT_NE(h, nullptr);

            kind.set(h, sample.bytes.c_str());
            Pump();
            EXPECT_EQ(kind.shown(h).toStdString(), sample.shown) << "the bytes show as their characters";
            EXPECT_EQ(Hex(kind.get(h)), Hex(sample.bytes.c_str()));

            // Bytes the code page cannot read come back as they were, beside ones it can.
            HWND h2 = host.Make(kind.className, kind.style, CRect(10, 130, 300, 240), ++id);
            std::string mixed = sample.bytes + sample.odd + "\xA0" + sample.bytes;
            kind.set(h2, mixed.c_str());
            Pump();
            EXPECT_EQ(Hex(kind.get(h2)), Hex(mixed.c_str())) << "untouched round trip";

            if (kind.typable)
            {
                // Typed at the end of untouched text: what stood there keeps its bytes.
                Focus(h2);
                Key(VK_END);
                int beeps = Beeps();
                TypeUnicode(sample.typed);
                EXPECT_EQ(Hex(kind.get(h2)), Hex((mixed + sample.typedBytes).c_str())) << "typed text as bytes";
                EXPECT_EQ(Beeps(), beeps);
                EXPECT_EQ(RefusalShown(), "");

                TypeUnicode(sample.foreign);
                EXPECT_EQ(Hex(kind.get(h2)), Hex((mixed + sample.typedBytes).c_str()))
                    << "a character the code page lacks is not stored, as '?' or otherwise";
                EXPECT_EQ(Beeps(), beeps + 1);
                std::string told = RefusalShown();
                EXPECT_NE(told.find(sample.foreign), std::string::npos) << told;
                EXPECT_NE(told.find(CodePageName(sample.codePage)), std::string::npos) << told;

                // Composed by an input method, as Chinese and Japanese are typed: the same rules.
                Compose(sample.typed);
                EXPECT_EQ(Hex(kind.get(h2)), Hex((mixed + sample.typedBytes + sample.typedBytes).c_str()));
                Compose(sample.foreign);
                EXPECT_EQ(Hex(kind.get(h2)), Hex((mixed + sample.typedBytes + sample.typedBytes).c_str()));
                EXPECT_EQ(Beeps(), beeps + 2);
            }
            CWnd::FromHandle(h)->DestroyWindow();
            CWnd::FromHandle(h2)->DestroyWindow();
            ForgetRefusal();
        }
}

// A button takes no characters: one its code page lacks is no more refused there than any other is.
TEST_F(CodePageTable, ACharacterTypedOnAButtonIsNoRefusal)
{
    CodePageScope cp(1252);
    HWND h = host.Make("Button", BS_PUSHBUTTON | WS_TABSTOP, CRect(10, 10, 100, 40), 900);
    Focus(h);
    const int beeps = Beeps();
    TypeUnicode("\xE4\xB8\xBB");
    EXPECT_EQ(Beeps(), beeps);
    EXPECT_EQ(RefusalShown(), "");
    CWnd::FromHandle(h)->DestroyWindow();
}

} // namespace
