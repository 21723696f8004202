#include "host/model/DialogPages.h"
#include "host/model/HostNode.h"
#include "host/model/JobDocument.h"
#include "host/model/NodeActions.h"
#include "node/CDlgDefineNodeEdit.h"
#include "node/CDlgDefineNodeErase.h"
#include "node/CDlgDefineNodeHotkey.h"
#include "node/CDlgDefineNodeProgram.h"
#include "node/CDlgDefineNodeRunJob.h"
#include "node/CDlgDefineNodeUpload.h"
#include "resources/resource.h"

const int NodeActions::kBaudRates[8] = {1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200};
const char* const NodeActions::kProtocols[3] = {"Multipoint", "Xmodem", "None"};

namespace
{

CComboBox* Combo(CWnd& page, int id)
{
    return static_cast<CComboBox*>(page.GetDlgItem(id));
}

// The record list carries record ids; a node whose record is gone shows its own file with no record chosen.
void InitialRecordFile(const HostNode& node, CWnd& page)
{
    if (CComboBox* records = Combo(page, IDC_RECORDLIST))
    {
        records->ResetContent();
        JobDocument* doc = node.GetJobDocument();
        for (int i = 0; doc && i < doc->GetRecordCount(); ++i)
        {
            HostRecord* record = doc->GetRecordAt(i);
            records->SetItemData(records->AddString(record->m_strName), DWORD_PTR(record->m_nID));
        }
        SelectByItemData(*records, DWORD_PTR(node.m_nRecordID)); // record ids start at 1
    }
    page.SetDlgItemText(IDC_DATAFILE, node.m_strDataFile);
}

void SaveRecordFile(HostNode& node, CWnd& page)
{
    if (CComboBox* records = Combo(page, IDC_RECORDLIST))
        node.m_nRecordID = int(SelectedItemData(*records, 0));
    node.m_strDataFile = page.GetDlgItem(IDC_DATAFILE)->GetWindowText();
}

void InitialUpload(const HostNode& node, CDlgDefineNodeUpload& page)
{
    InitialRecordFile(node, page);
    page.m_bSendCtrlZ = node.m_bSendCtrlZ;
    page.m_nUploadAll = node.m_bUploadAll ? 1 : 0;
    page.m_nUploadCurrent = node.m_bUploadAll ? 0 : 1;
    if (CComboBox* rates = Combo(page, IDC_UPLOAD_BAUDRATE))
    {
        rates->ResetContent();
        for (int rate : NodeActions::kBaudRates)
        {
            CString text;
            text.Format("%d", rate);
            rates->SetItemData(rates->AddString(text), DWORD_PTR(rate));
        }
        SelectByItemData(*rates, DWORD_PTR(node.m_nBaudRate));
    }
    if (CComboBox* protocols = Combo(page, IDC_UPLOAD_PROTOCOL))
    {
        protocols->ResetContent();
        for (const char* name : NodeActions::kProtocols)
            protocols->AddString(name);
        protocols->SetCurSel(protocols->FindStringExact(-1, node.m_strProtocol));
    }
}

// A list left without a choice (a stored value it does not offer) keeps the node's value.
void SaveUpload(HostNode& node, CDlgDefineNodeUpload& page)
{
    SaveRecordFile(node, page);
    node.m_bSendCtrlZ = page.m_bSendCtrlZ;
    node.m_bUploadAll = page.m_nUploadCurrent != 1;
    if (CComboBox* rates = Combo(page, IDC_UPLOAD_BAUDRATE))
        node.m_nBaudRate = int(SelectedItemData(*rates, DWORD_PTR(node.m_nBaudRate)));
    if (CComboBox* protocols = Combo(page, IDC_UPLOAD_PROTOCOL); protocols && protocols->GetCurSel() >= 0)
        protocols->GetLBText(protocols->GetCurSel(), node.m_strProtocol);
}

struct HotKey
{
    int CDlgDefineNodeHotkey::*member;
    int nKeyID; // 0: none
};
constexpr HotKey kHotKeys[] = {
    {&CDlgDefineNodeHotkey::m_nKeyF1, IDC_KEY_F1},     {&CDlgDefineNodeHotkey::m_nKeyF2, IDC_KEY_F2},
    {&CDlgDefineNodeHotkey::m_nKeyF3, IDC_KEY_F3},     {&CDlgDefineNodeHotkey::m_nKeyF4, IDC_KEY_F4},
    {&CDlgDefineNodeHotkey::m_nKeyF5, IDC_KEY_F5},     {&CDlgDefineNodeHotkey::m_nKeyF6, IDC_KEY_F6},
    {&CDlgDefineNodeHotkey::m_nKeyF7, IDC_KEY_F7},     {&CDlgDefineNodeHotkey::m_nKeyF8, IDC_KEY_F8},
    {&CDlgDefineNodeHotkey::m_nKeyLeft, IDC_KEY_LEFT}, {&CDlgDefineNodeHotkey::m_nKeyRight, IDC_KEY_RIGHT},
    {&CDlgDefineNodeHotkey::m_nKeyUp, IDC_KEY_UP},     {&CDlgDefineNodeHotkey::m_nKeyDown, IDC_KEY_DOWN},
    {&CDlgDefineNodeHotkey::m_nKeyEsc, IDC_KEY_ESC},   {&CDlgDefineNodeHotkey::m_nKeyNone, 0},
};

// A stored key the page does not offer shows as "None".
void InitialHotkey(const HostNode& node, CDlgDefineNodeHotkey& page)
{
    bool offered = false;
    for (const HotKey& k : kHotKeys)
        offered = offered || k.nKeyID == node.m_nHotKey;
    int key = offered ? node.m_nHotKey : 0;
    for (const HotKey& k : kHotKeys)
        page.*k.member = k.nKeyID == key ? 1 : 0;
}

void SaveHotkey(HostNode& node, const CDlgDefineNodeHotkey& page)
{
    for (const HotKey& k : kHotKeys)
        if (page.*k.member == 1)
        {
            node.m_nHotKey = k.nKeyID;
            return;
        }
}

} // namespace

void InitialActionPages(HostNode& node, CDlgDefineNode* dlg)
{
    if (auto* page = DialogPage<CDlgDefineNodeUpload>(dlg, IDD_NODE_UPLOAD))
        InitialUpload(node, *page);
    if (auto* page = DialogPage<CDlgDefineNodeErase>(dlg, IDD_NODE_ERASE))
    {
        InitialRecordFile(node, *page);
        page->m_nDeleteWholeFile = node.m_bDeleteWholeFile ? 1 : 0;
        page->m_nDeleteLastRecord = node.m_bDeleteWholeFile ? 0 : 1;
    }
    if (auto* page = DialogPage<CDlgDefineNodeEdit>(dlg, IDD_NODE_EDIT))
    {
        InitialRecordFile(node, *page);
        page->m_bBrowseFromLast = node.m_bBrowseFromLast;
        if (CComboBox* separators = Combo(*page, IDC_FIELDSEPARATOR))
            SelectByItemData(*separators, DWORD_PTR(node.m_nFieldSeparator));
    }
    if (auto* page = DialogPage<CDlgDefineNodeProgram>(dlg, IDD_NODE_PROGRAM))
        page->m_strProgram = node.m_strProgram;
    if (auto* page = DialogPage<CDlgDefineNodeRunJob>(dlg, IDD_NODE_RUNJOB))
    {
        page->m_strJobFile = node.m_strJobFile;
        page->m_strStartNode = node.m_strStartNode;
    }
    if (auto* page = DialogPage<CDlgDefineNodeHotkey>(dlg, IDD_NODE_HOTKEY))
        InitialHotkey(node, *page);
}

void SaveActionPages(HostNode& node, CDlgDefineNode* dlg)
{
    if (auto* page = DialogPage<CDlgDefineNodeUpload>(dlg, IDD_NODE_UPLOAD))
        SaveUpload(node, *page);
    if (auto* page = DialogPage<CDlgDefineNodeErase>(dlg, IDD_NODE_ERASE))
    {
        SaveRecordFile(node, *page);
        node.m_bDeleteWholeFile = page->m_nDeleteLastRecord != 1;
    }
    if (auto* page = DialogPage<CDlgDefineNodeEdit>(dlg, IDD_NODE_EDIT))
    {
        SaveRecordFile(node, *page);
        node.m_bBrowseFromLast = page->m_bBrowseFromLast;
        if (CComboBox* separators = Combo(*page, IDC_FIELDSEPARATOR))
            node.m_nFieldSeparator = int(SelectedItemData(*separators, DWORD_PTR(node.m_nFieldSeparator)));
    }
    if (auto* page = DialogPage<CDlgDefineNodeProgram>(dlg, IDD_NODE_PROGRAM))
        node.m_strProgram = page->m_strProgram;
    if (auto* page = DialogPage<CDlgDefineNodeRunJob>(dlg, IDD_NODE_RUNJOB))
    {
        node.m_strJobFile = page->m_strJobFile;
        node.m_strStartNode = page->m_strStartNode;
    }
    if (auto* page = DialogPage<CDlgDefineNodeHotkey>(dlg, IDD_NODE_HOTKEY))
        SaveHotkey(node, *page);
}
