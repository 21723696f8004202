#include "support/Support.h"

namespace
{

enum : unsigned
{
    kField = 1,  // in the field terminator list
    kRecord = 2, // in the record terminator list
};

struct Terminator
{
    int code;
    const char* name;
    unsigned lists;
};

// One table for both lists, in the order they show; a code has the same name wherever it appears. The record
// list holds both ':' and ';' because the record page looks a stored ';' up as ':'.
constexpr Terminator kTerminators[] = {
    {0, "None", kField}, // only when the caller asks for it
    {13, "CR", kRecord},
    {10, "LF", kRecord},
    {TERMINATOR_CRLF, "CR+LF", kRecord},
    {3, "ETX", kRecord},
    {9, "Tab", kField | kRecord},
    {32, "Space", kField},
    {44, "Comma (,)", kField | kRecord},
    {58, "Colon (:)", kField | kRecord},
    {59, "Semicolon (;)", kField | kRecord},
    {124, "Bar (|)", kField},
};

void Fill(CComboBox& combo, unsigned list, bool withNone)
{
    if (!IsWindow(combo.m_hWnd))
        return;
    combo.ResetContent();
    for (const Terminator& t : kTerminators)
    {
        if (!(t.lists & list) || (t.code == 0 && !withNone))
            continue;
        int at = combo.AddString(t.name); // a sorted combo box puts it elsewhere: AddString says where
        if (at >= 0)
            combo.SetItemData(at, DWORD_PTR(t.code));
    }
}

} // namespace

void InitialFieldTerminatorList(CComboBox& combo, bool withNone)
{
    Fill(combo, kField, withNone);
}

void InitialRecordTerminatorList(CComboBox& combo)
{
    Fill(combo, kRecord, false);
}

CString GetTerminatorName(int code)
{
    for (const Terminator& t : kTerminators)
        if (t.code == code)
            return t.name;
    CString name;
    name.Format("Char %d", code);
    return name;
}
