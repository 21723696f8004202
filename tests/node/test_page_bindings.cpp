// Every node page's data exchange in one table: each member with its control, a value each way. A member read
// from a neighbour's control, or a control written into the wrong member, shows as a row whose value went astray:
// the boxes are set one at a time and the edits each get a value of their own.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "host/model/NodeOptions.h"
#include "node/CDlgDefineNodeBasic.h"
#include "node/CDlgDefineNodeCmtFontColor.h"
#include "node/CDlgDefineNodeCountInitial.h"
#include "node/CDlgDefineNodeCountOperate.h"
#include "node/CDlgDefineNodeEdit.h"
#include "node/CDlgDefineNodeErase.h"
#include "node/CDlgDefineNodeHotkey.h"
#include "node/CDlgDefineNodeInput.h"
#include "node/CDlgDefineNodeInputBarcode.h"
#include "node/CDlgDefineNodeInputFromDevice.h"
#include "node/CDlgDefineNodeInputFromFormula.h"
#include "node/CDlgDefineNodeInputFromLookupFile.h"
#include "node/CDlgDefineNodeNotes.h"
#include "node/CDlgDefineNodeProgram.h"
#include "node/CDlgDefineNodeRunJob.h"
#include "node/CDlgDefineNodeScreen.h"
#include "node/CDlgDefineNodeScreenPosition.h"
#include "node/CDlgDefineNodeUpload.h"
#include "node/CDlgDefineNodeVerify.h"
#include "node/CDlgDefineNodeVerifyLookupFile.h"
#include "node/CDlgDefineNodeVerifyQualifier.h"
#include "tests/node/collect_harness.h"

using namespace pdt::test;

namespace
{

// A bound member of the page under test, reached without knowing its class.
struct Row
{
    int id;
    enum Kind
    {
        Box,    // a check box or radio: 0 or 1
        Number, // an edit holding an int
        Words,  // an edit holding text
    } kind;
    std::function<int&(CDlgDefineBase&)> number;
    std::function<CString&(CDlgDefineBase&)> text;
};

template <class Page> Row Box(int id, int Page::*m)
{
    return {id, Row::Box, [m](CDlgDefineBase& p) -> int& { return static_cast<Page&>(p).*m; }, {}};
}
template <class Page> Row Number(int id, int Page::*m)
{
    return {id, Row::Number, [m](CDlgDefineBase& p) -> int& { return static_cast<Page&>(p).*m; }, {}};
}
template <class Page> Row Words(int id, CString Page::*m)
{
    return {id, Row::Words, {}, [m](CDlgDefineBase& p) -> CString& { return static_cast<Page&>(p).*m; }};
}

struct PageRows
{
    int option;
    int kind;
    std::vector<Row> rows;
};

using P = NodeOptions;
using Basic = CDlgDefineNodeBasic;
using Initial = CDlgDefineNodeCountInitial;
using Operate = CDlgDefineNodeCountOperate;
using Device = CDlgDefineNodeInputFromDevice;
using Lookup = CDlgDefineNodeInputFromLookupFile;
using Position = CDlgDefineNodeScreenPosition;
using Verify = CDlgDefineNodeVerify;
using VerifyLookup = CDlgDefineNodeVerifyLookupFile;
using Hotkey = CDlgDefineNodeHotkey;
using Input = CDlgDefineNodeInput;

const PageRows kPages[] = {
    {IDD_NODE_BASIC, NODE_PROGRAM,
     {Words(IDC_NODE_NAME, &Basic::m_strName), Box(IDC_NODE_STARTNODE, &Basic::m_bStartNode),
      Box(IDC_NODE_GLOBALACCESS, &Basic::m_bGlobalAccess), Box(IDC_NODE_EXCLUDE, &Basic::m_bExcludeFromMakeJob)}},
    {IDD_NODE_NOTES, NODE_PROGRAM, {Words(IDC_NODE_COMMENT, &CDlgDefineNodeNotes::m_strComment)}},
    {IDD_NODE_CMTFONTCOLOR, NODE_COMMENT, {Box(IDC_CMT_DEFAULTFONT, &CDlgDefineNodeCmtFontColor::m_bUseDefaultFont)}},
    {IDD_NODE_SCREEN, NODE_SCREEN,
     {Box(IDC_SCREEN_NOCLEARONEXIT, &CDlgDefineNodeScreen::m_bNoClearOnExit),
      Box(IDC_SCREEN_NOCLEARBEFORE, &CDlgDefineNodeScreen::m_bNoClearBeforeDisplay),
      Box(IDC_SCREEN_HIDECURSOR, &CDlgDefineNodeScreen::m_bHideCursor)}},
    {IDD_NODE_SCREENPOSITION, NODE_INPUT,
     {Box(IDC_POS_PRINTFOLLOWING, &Position::m_nPrintFollowing), Box(IDC_POS_PRINTDIRECT, &Position::m_nPrintDirect),
      Box(IDC_POS_CLEARTOEND, &Position::m_bClearToEnd), Number(IDC_POS_PROMPTROW, &Position::m_nPromptRow),
      Number(IDC_POS_PROMPTCOLUMN, &Position::m_nPromptColumn), Words(IDC_POS_MARK, &Position::m_strPositionMark),
      Box(IDC_POS_INPUTATCURRENT, &Position::m_nInputAtCurrent), Box(IDC_POS_INPUTAT, &Position::m_nInputAtLocation),
      Number(IDC_POS_INPUTROW, &Position::m_nInputRow), Number(IDC_POS_INPUTCOLUMN, &Position::m_nInputColumn),
      Box(IDC_POS_NOMARK, &Position::m_bNoPositionMark), Box(IDC_POS_PASSWORD, &Position::m_bAsPassword),
      Box(IDC_POS_NODISPLAY, &Position::m_bNoDisplay)}},
    {IDD_NODE_INPUT, NODE_INPUT,
     {Box(IDC_INPUT_TYPEINTEGER, &Input::m_nTypeInteger), Box(IDC_INPUT_TYPELONG, &Input::m_nTypeLong),
      Box(IDC_INPUT_TYPEFLOAT, &Input::m_nTypeFloat), Box(IDC_INPUT_TYPESTRING, &Input::m_nTypeString),
      Box(IDC_INPUT_ALLOWEMPTY, &Input::m_bAllowEmpty), Box(IDC_INPUT_FILLTAIL, &Input::m_bFillTail),
      Box(IDC_INPUT_SAMEASLAST, &Input::m_bSameAsLast)}},
    {IDD_NODE_INPUTBARCODE, NODE_INPUT,
     {Box(IDC_BARCODE_SET, &CDlgDefineNodeInputBarcode::m_bSetBarcode),
      Box(IDC_BARCODE_SETTOALL, &CDlgDefineNodeInputBarcode::m_bSetToAll)}},
    {IDD_NODE_INPUTFROMDEVICE, NODE_INPUT,
     {Box(IDC_INPUT_DEVICE_TIMER, &Device::m_bTimer), Box(IDC_INPUT_DEVICE_SCANNER, &Device::m_bScanner),
      Box(IDC_SCAN_AUTOTRIGGER, &Device::m_bAutoTrigger), Box(IDC_SCAN_DOUBLESCAN, &Device::m_bDoubleScan),
      Box(IDC_SCAN_SCANNEROFF, &Device::m_bScannerOff), Box(IDC_SCAN_MIXKEYPAD, &Device::m_bMixKeypad),
      Box(IDC_INPUT_DEVICE_KEYPAD, &Device::m_bKeypad),
      Box(IDC_KEYPAD_COMPLETEWITHENTER, &Device::m_bCompleteWithEnter),
      Box(IDC_KEYPAD_ALPHABET, &Device::m_bAlphabet), Box(IDC_KEYPAD_DIGITS, &Device::m_bDigits),
      Box(IDC_KEYPAD_SYMBOLS, &Device::m_bSymbols), Box(IDC_TIMEFORMAT_DATE, &Device::m_nDateOnly),
      Box(IDC_TIMEFORMAT_TIME, &Device::m_nTimeOnly), Box(IDC_TIMEFORMAT_DATETIME, &Device::m_nDateTime)}},
    {IDD_NODE_INPUTFROMFORMULA, NODE_INPUT,
     {Box(IDC_INPUT_DEVICE_FORMULA, &CDlgDefineNodeInputFromFormula::m_bFromFormula),
      Words(IDC_FORMULA, &CDlgDefineNodeInputFromFormula::m_strFormula)}},
    {IDD_NODE_INPUTFROMLOOKUPFILE, NODE_INPUT,
     {Box(IDC_INPUT_DEVICE_FORMULA, &Lookup::m_bFromLookupFile), Number(IDC_FIELDNO, &Lookup::m_nFieldNo),
      Words(IDC_DEFAULTVALUE, &Lookup::m_strDefaultValue), Box(IDC_USEDEFAULT, &Lookup::m_bUseDefault)}},
    {IDD_NODE_VERIFY, NODE_INPUT,
     {Box(IDC_VERIFY_LENGTH, &Verify::m_bVerifyLength), Box(IDC_VERIFY_PICTURE, &Verify::m_bVerifyPicture),
      Box(IDC_VERIFY_RANGE, &Verify::m_bVerifyRange), Box(IDC_VERIFY_NOBEEP, &Verify::m_bNoBeep),
      Box(IDC_VERIFY_NOERRORSIGN, &Verify::m_bNoErrorSign), Box(IDC_VERIFY_NOREINPUT, &Verify::m_bNoReinput),
      Number(IDC_VERIFY_LENGTHFROM, &Verify::m_nLengthFrom), Number(IDC_VERIFY_LENGTHTO, &Verify::m_nLengthTo),
      Words(IDC_VERIFY_PICTURETEXT, &Verify::m_strPicture), Words(IDC_VERIFY_RANGEFROM, &Verify::m_strRangeFrom),
      Words(IDC_VERIFY_RANGETO, &Verify::m_strRangeTo)}},
    {IDD_NODE_VERIFYLOOKUPFILE, NODE_INPUT,
     {Box(IDC_VERIFY_LOOKUPFILE, &VerifyLookup::m_bVerifyLookupFile), Number(IDC_FIELDNO, &VerifyLookup::m_nFieldNo),
      Number(IDC_TOTALFIELDS, &VerifyLookup::m_nTotalFields), Words(IDC_LOOKUPFILE, &VerifyLookup::m_strLookupFile),
      Box(IDC_SEEK_FULLKEY, &VerifyLookup::m_bFullKeyMatch),
      Box(IDC_SEEK_BEGINNING, &VerifyLookup::m_nSearchFromBeginning),
      Box(IDC_SEEK_CURRENT, &VerifyLookup::m_nSearchFromCurrent),
      Box(IDC_SEEK_BINARYSEARCH, &VerifyLookup::m_bBinarySearch)}},
    {IDD_NODE_VERIFYQUALIFIER, NODE_INPUT,
     {Box(IDC_VERIFY_QUALIFIER, &CDlgDefineNodeVerifyQualifier::m_bVerifyQualifier),
      Words(IDC_QUALIFIER, &CDlgDefineNodeVerifyQualifier::m_strQualifier)}},
    {P::COUNT_INITIAL, NODE_COUNT,
     {Words(IDC_COUNT_CONSTANT, &Initial::m_strConstant), Words(IDC_FORMULA, &Initial::m_strFormula),
      Box(IDC_COUNT_COPYLAST, &Initial::m_bCopyLast), Box(IDC_COUNT_SETVALUE, &Initial::m_bSetNewValue),
      Box(IDC_COUNT_BYCONSTANT, &Initial::m_nByConstant), Box(IDC_COUNT_BYCOPYNODE, &Initial::m_nByCopyNode),
      Box(IDC_COUNT_BYFORMULA, &Initial::m_nByFormula), Box(IDC_COUNT_INITBYLINKS, &Initial::m_bInitByLinks)}},
    {P::COUNT_OPERATION1, NODE_COUNT,
     {Words(IDC_COUNT_CONSTANT, &Operate::m_strConstant), Words(IDC_COUNT_DESCRIPTION, &Operate::m_strDescription),
      Box(IDC_COUNT_WITHCONSTANT, &Operate::m_nWithConstant), Box(IDC_COUNT_WITHNODE, &Operate::m_nWithNode)}},
    {IDD_NODE_UPLOAD, NODE_UPLOAD,
     {Box(IDC_UPLOAD_CTRLZ, &CDlgDefineNodeUpload::m_bSendCtrlZ),
      Box(IDC_UPLOAD_ALL, &CDlgDefineNodeUpload::m_nUploadAll),
      Box(IDC_UPLOAD_CURRENT, &CDlgDefineNodeUpload::m_nUploadCurrent)}},
    {IDD_NODE_ERASE, NODE_ERASE,
     {Box(IDC_ERASE_WHOLEFILE, &CDlgDefineNodeErase::m_nDeleteWholeFile),
      Box(IDC_ERASE_LASTRECORD, &CDlgDefineNodeErase::m_nDeleteLastRecord)}},
    {IDD_NODE_EDIT, NODE_EDIT, {Box(IDC_EDIT_FROMLAST, &CDlgDefineNodeEdit::m_bBrowseFromLast)}},
    {IDD_NODE_PROGRAM, NODE_PROGRAM, {Words(IDC_PROGRAM_CODE, &CDlgDefineNodeProgram::m_strProgram)}},
    {IDD_NODE_RUNJOB, NODE_RUNJOB,
     {Words(IDC_DATAFILE, &CDlgDefineNodeRunJob::m_strJobFile),
      Words(IDC_RUNJOB_STARTNODE, &CDlgDefineNodeRunJob::m_strStartNode)}},
    {IDD_NODE_HOTKEY, NODE_SCREEN,
     {Box(IDC_KEY_F1, &Hotkey::m_nKeyF1), Box(IDC_KEY_F2, &Hotkey::m_nKeyF2), Box(IDC_KEY_F3, &Hotkey::m_nKeyF3),
      Box(IDC_KEY_F4, &Hotkey::m_nKeyF4), Box(IDC_KEY_F5, &Hotkey::m_nKeyF5), Box(IDC_KEY_F6, &Hotkey::m_nKeyF6),
      Box(IDC_KEY_F7, &Hotkey::m_nKeyF7), Box(IDC_KEY_F8, &Hotkey::m_nKeyF8), Box(IDC_KEY_LEFT, &Hotkey::m_nKeyLeft),
      Box(IDC_KEY_RIGHT, &Hotkey::m_nKeyRight), Box(IDC_KEY_UP, &Hotkey::m_nKeyUp),
      Box(IDC_KEY_DOWN, &Hotkey::m_nKeyDown), Box(IDC_KEY_ESC, &Hotkey::m_nKeyEsc),
      Box(IDC_HOTKEY_NONE, &Hotkey::m_nKeyNone)}},
};

class PageBindings : public NodeDialogTest
{
  protected:
    // The page alone in the node dialog: what the host loads into it is overwritten row by row.
    CDlgDefineBase& OpenAlone(const PageRows& p)
    {
        m_options[0] = OPTIONITEM{p.option, -1, "Page", nullptr, nullptr, nullptr, 0, 0, nullptr};
        m_options[1] = OPTIONITEM{0, -1, nullptr, nullptr, nullptr, nullptr, 0, 0, nullptr};
        return OpenOn<CDlgDefineBase>(m_doc.AddNode(p.kind, "Bound"), m_options, p.option);
    }
    OPTIONITEM m_options[2];
};

int Numeral(int row, int round)
{
    return 10 * round + row + 1;
}
CString Value(int row, int round)
{
    return CString(std::to_string(Numeral(row, round)).c_str());
}

TEST_F(PageBindings, EachMemberTravelsToItsOwnControlAndBack)
{
    for (const PageRows& p : kPages)
    {
        SCOPED_TRACE("page " + std::to_string(p.option));
        CDlgDefineBase& page = OpenAlone(p);
        const size_t n = p.rows.size();
        // The edits: a value of their own each way.
        for (size_t i = 0; i < n; ++i)
        {
            const Row& r = p.rows[i];
            if (r.kind == Row::Number)
                r.number(page) = Numeral(int(i), 1);
            else if (r.kind == Row::Words)
                r.text(page) = Value(int(i), 1);
        }
        page.UpdateData(FALSE);
        for (size_t i = 0; i < n; ++i)
            if (p.rows[i].kind != Row::Box)
            {
                EXPECT_EQ(page.GetDlgItem(p.rows[i].id)->GetWindowText(), Value(int(i), 1)) << p.rows[i].id;
                page.SetDlgItemText(p.rows[i].id, Value(int(i), 2));
            }
        ASSERT_TRUE(page.UpdateData(TRUE));
        for (size_t i = 0; i < n; ++i)
        {
            const Row& r = p.rows[i];
            if (r.kind == Row::Number)
                EXPECT_EQ(r.number(page), Numeral(int(i), 2)) << r.id;
            else if (r.kind == Row::Words)
                EXPECT_EQ(r.text(page), Value(int(i), 2)) << r.id;
        }
        // The boxes: one set at a time, from the member and from the control.
        for (size_t on = 0; on < n; ++on)
        {
            if (p.rows[on].kind != Row::Box)
                continue;
            SCOPED_TRACE("only " + std::to_string(p.rows[on].id) + " set");
            for (size_t i = 0; i < n; ++i)
                if (p.rows[i].kind == Row::Box)
                    p.rows[i].number(page) = i == on;
            page.UpdateData(FALSE);
            for (size_t i = 0; i < n; ++i)
                if (p.rows[i].kind == Row::Box)
                {
                    EXPECT_EQ(page.IsDlgButtonChecked(p.rows[i].id), UINT(i == on)) << p.rows[i].id;
                    p.rows[i].number(page) = i != on;
                }
            ASSERT_TRUE(page.UpdateData(TRUE));
            for (size_t i = 0; i < n; ++i)
                if (p.rows[i].kind == Row::Box)
                    EXPECT_EQ(p.rows[i].number(page), int(i == on)) << p.rows[i].id;
        }
        Close();
    }
}

} // namespace
