// The host application's objects as the library sees them. The host derives from these classes,
// fills their fields and answers their operations; the library only calls them.
#pragma once

#include "framework/Export.h"

#include "framework/KeymapKey.h"
#include "platform/afxwin.h"

class CDlgDefineNode;
class CDlgDefineJob;
class CDlgDefinePortable;
class CDlgDefineLink;
class CNodeBase;
class CNodeLink;
class CTerminal;
class CRecord;

class PDTDLG_API CObject
{
  public:
    virtual ~CObject() = default;
};
class PDTDLG_API CView : public CObject
{
};

// Node kinds, in the order of the document's per-kind slots.
constexpr int NODE_KIND_SLOTS[] = {20, 1, 2, 3, 7, 5, 4, 8, 6};
constexpr int NODE_KIND_COUNT = 9;
PDTDLG_API int NodeKindSlot(int kind); // index into m_nLastNodeOption, or -1 for an unknown kind

class PDTDLG_API CVTR5Doc
{
  public:
    virtual ~CVTR5Doc() = default;

    virtual void SetModifiedFlag(BOOL modified = TRUE) = 0;
    virtual void UpdateAllViews(CView* sender, LPARAM hint = 0, CObject* hintObject = nullptr) = 0;
    virtual CView* GetMainView() = 0;
    virtual CNodeBase* GetNodeByID(int id) = 0;
    virtual CNodeLink* GetLinkByID(WORD id) = 0;
    // Fills the ids of the links that start or end at the node; returns their number.
    virtual int GetNodeLinks(int nodeId, CWordArray& ids, int flags) = 0;
    virtual CString GetRecordFileName(DWORD_PTR recordData, int flags) = 0;
    // Asks the user and deletes the link; TRUE when it was deleted.
    virtual BOOL DeleteLink(CNodeLink* link, BOOL ask) = 0;
    virtual CSize GetScreenSize() = 0;
    virtual void GetBarcodeName(WORD code, CString& name) = 0;
    virtual BOOL InitialDlgData(CDlgDefineJob* dlg) = 0;
    virtual BOOL SaveDlgData(CDlgDefineJob* dlg) = 0;
    virtual int GetNodeCount() const = 0;
    virtual CNodeBase* GetNodeAt(int index) const = 0; // null outside 0 .. GetNodeCount() - 1

    CString m_strPathName;
    CTerminal* m_pTerminal = nullptr;
    int m_nDefaultRecord = 0;     // id of the default record, 0 for none
    int m_nDefaultRecordEdit = 0; // the working copy that an open record dialog changes

    // Presentation state of the definition dialogs.
    int m_nLastOptionID = 0;
    int m_nLastOptionSub = 0;
    int m_nLastGlobalJobOption = 0;
    int m_nLastJobOption = 0;
    int m_nLastPortableOption = 0;
    int m_nLastNodeOption[NODE_KIND_COUNT] = {};
    BYTE m_bExpandScreen = 0;
    BYTE m_bExpandInput = 0;
    BYTE m_bExpandVerify = 0;
    BYTE m_bExpandCountInitial = 0;
    BYTE m_bExpandCountOp1 = 0;
    BYTE m_bExpandCountOp2 = 0;
    BYTE m_bExpandLinkIn = 0;
    BYTE m_bExpandLinkOut = 0;
    COLORREF m_crScreenBackground = RGB(255, 255, 255);
};

class PDTDLG_API CNodeBase
{
  public:
    virtual ~CNodeBase() = default;

    virtual BOOL InitialDlgData(CDlgDefineNode* dlg) = 0;
    virtual BOOL SaveDlgData(CDlgDefineNode* dlg) = 0;
    virtual CString GetTypeName() = 0;
    virtual COLORREF GetDefaultColour() = 0;
    virtual void OnDefineUpdated(BOOL redraw) = 0;
    virtual CVTR5Doc* GetDocument() = 0;

    int m_nID = 0;
    int m_nKind = 0; // 1 to 8 or 20
    CString m_strName;
    DWORD m_dwVerifyFlags = 0;     // 08h: the node verifies its data against a lookup file
    CString m_strVerifyLookupFile; // that lookup file
};

class PDTDLG_API CNodeLink
{
  public:
    virtual ~CNodeLink() = default;

    virtual BOOL InitialDlgData(CDlgDefineLink* page) = 0;
    virtual BOOL SaveDlgData(CDlgDefineLink* page) = 0;
    virtual CString GetLabel() = 0;
    virtual void Define() = 0;

    int m_nID = 0;
    int m_nFromNodeID = 0;
    int m_nToNodeID = 0;
};

class PDTDLG_API CTerminal
{
  public:
    virtual ~CTerminal() = default;

    virtual BOOL InitialDlgData(CDlgDefinePortable* dlg) = 0;
    virtual BOOL SaveDlgData(CDlgDefinePortable* dlg) = 0;
    virtual CVTR5Doc* GetDocument() = 0;

    CString m_strModel; // "M-10", "M-13", "N-13", "M-20", "M-20X", "R-50", "R-50G"
    KEYMAP_KEY m_keymap[KEYMAP_SIZE] = {};
};

// A data record of the job: an ordered list of data nodes written to a data file.
class PDTDLG_API CRecord
{
  public:
    virtual ~CRecord() = default;

    virtual int GetFieldCount() = 0;
    virtual CNodeBase* GetField(int index) = 0; // null for a field whose node is gone
    // Fills the ids of the links that write this record; returns their number.
    virtual int GetEORLinks(CWordArray& ids) = 0;
    virtual BOOL HasField(CNodeBase* node) = 0;
    virtual CVTR5Doc* GetDocument() = 0;

    int m_nID = 0;
    CString m_strName;
    CString m_strDataFile;
    CString m_strComment;
    int m_nFieldSeparator = 0;   // a code of the field terminator list
    int m_nRecordTerminator = 0; // a code of the record terminator list
    CString m_strPreamble;
    CString m_strPostamble;
    CWordArray m_arrFields; // node ids, in field order
    BOOL m_bDisableEOREnforcement = FALSE;
};
